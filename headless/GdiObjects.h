// Internals of the headless GDI: pixel surfaces, the objects behind GDI
// handles, and the handle table. Every public GDI entry point takes the table
// lock first; the helpers here assume it is held.
#pragma once

#include "headless/Rectangles.h"
#include "headless/Windows.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace headless::gdi {

// A pixel buffer in one of the DIB formats (1, 4, 8, 16, 24 or 32 bits per
// pixel). Colours go in and out as COLORREF values.
struct Surface {
    int Width = 0;
    int Height = 0;
    int BitCount = 32;
    int Stride = 0;
    bool TopDown = true;
    // Where red, green and blue lie in a 16- or 32-bit pixel; set through SetMasks.
    struct Channel {
        DWORD Mask = 0;
        int Shift = 0;
        int Bits = 0;
    };
    Channel Channels[3] = {{0xFF0000, 16, 8}, {0x00FF00, 8, 8}, {0x0000FF, 0, 8}};
    // The channels are the default 8-bit ones, so 32-bit pixels are plain bytes.
    bool DefaultMasks = true;
    std::vector<RGBQUAD> Palette;
    BYTE *Bits = nullptr;
    std::unique_ptr<BYTE[]> Storage;

    BYTE *Row(int y) const { return Bits + static_cast<std::ptrdiff_t>(TopDown ? y : Height - 1 - y) * Stride; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
    // Palette index of a pixel of a format with a palette.
    unsigned Index(int x, int y) const;
    COLORREF Get(int x, int y) const;
    void Set(int x, int y, COLORREF color);
    std::size_t Size() const { return static_cast<std::size_t>(Stride) * Height; }
    void SetMasks(const DWORD (&masks)[3]);
};

int StrideOf(int width, int bitCount);
// A zeroed surface of the given format; the palette of a 1-bit surface is black and white.
std::unique_ptr<Surface> NewSurface(int width, int height, int bitCount);

// The format a BITMAPINFO describes; nothing when Windows would reject it.
struct DibFormat {
    int Width = 0;
    int Height = 0;
    bool TopDown = false;
    int BitCount = 0;
    DWORD Masks[3] = {};
    std::vector<RGBQUAD> Palette;
    int Stride = 0;
};
std::optional<DibFormat> ReadDibFormat(const BITMAPINFO *info);
// A surface viewing caller-owned DIB bits of the given format.
Surface ViewDib(const DibFormat &format, const void *bits);

enum class Kind { Pen, Brush, Font, Bitmap, Region, DC };

struct Object {
    explicit Object(Kind kind) : ObjectKind(kind) {}
    virtual ~Object() = default;
    Kind ObjectKind;
    bool Stock = false;
    // DeleteObject came while the object was selected; it goes when the last DC lets it go.
    bool DeletePending = false;
    int Selections = 0;
};

struct Pen : Object {
    Pen() : Object(Kind::Pen) {}
    LOGPEN Log{};
};

struct Brush : Object {
    Brush() : Object(Kind::Brush) {}
    UINT Style = BS_SOLID;
    COLORREF Color = 0;
    int Hatch = 0;
    // A pattern brush keeps its own copy of the bitmap, as Windows does.
    std::shared_ptr<Surface> Pattern;
};

struct Font : Object {
    Font() : Object(Kind::Font) {}
    LOGFONTA Log{};
};

struct Bitmap : Object {
    Bitmap() : Object(Kind::Bitmap) {}
    std::unique_ptr<Surface> Pixels;
    bool IsSection = false;
};

// A set of pixels as disjoint rectangles in y-x bands, so equal sets have equal lists.
using RectList = std::vector<RECT>;

struct Region : Object {
    Region() : Object(Kind::Region) {}
    RectList Rects;
};

enum class DCKind { Memory, Window };

struct DeviceContext : Object {
    DeviceContext() : Object(Kind::DC) {}
    DCKind Target = DCKind::Memory;
    // The surface of a window; a memory DC draws on its selected bitmap.
    std::shared_ptr<Surface> Own;
    HGDIOBJ SelectedPen = nullptr;
    HGDIOBJ SelectedBrush = nullptr;
    HGDIOBJ SelectedFont = nullptr;
    HGDIOBJ SelectedBitmap = nullptr;
    COLORREF TextColor = 0;
    COLORREF BkColor = 0xFFFFFF;
    int BkMode = OPAQUE;
    int Rop2 = R2_COPYPEN;
    POINT Position{};
    POINT BrushOrigin{};
    // Where a styled pen is in its dash pattern; restarts with every figure.
    int DashPosition = 0;
    // Where the DC's device origin lies on its surface: a window's client corner.
    POINT Origin{};
    // The part a window DC may touch, in device coordinates; none means the whole surface.
    std::optional<RectList> Visible;
    // The clip region selected into the DC, in device coordinates; none means no clipping.
    std::optional<RectList> Clip;
};

class Table {
public:
    static Table &Instance();

    std::recursive_mutex Lock;

    HGDIOBJ Add(std::unique_ptr<Object> object);
    Object *Find(HGDIOBJ handle, std::optional<Kind> kind = std::nullopt);
    template <class T> T *Get(HGDIOBJ handle, Kind kind) { return static_cast<T *>(Find(handle, kind)); }
    // Removes an object that nothing has selected.
    void Remove(HGDIOBJ handle);
    void NoteMisuse(std::string what);

    int Live[6] = {};
    int Created[6] = {};
    std::vector<std::string> Misuses;
    // Failures a test asked for, each consumed by the next call.
    std::optional<DWORD> FailDIBSection;
    bool FailStretchDIBits = false;

private:
    std::unordered_map<std::uintptr_t, std::unique_ptr<Object>> Objects;
    // Handles stay below 2^32 (a drawing tool keeps a pattern bitmap handle in
    // 32 bits) and are never reused, so a stale handle names nothing.
    std::uintptr_t NextHandle = 0x10000;
};

// The lock every entry point holds while it works.
std::unique_lock<std::recursive_mutex> Locked();

DeviceContext *FindDC(HDC dc);
// The surface a DC draws on, or null (a memory DC with no usable bitmap still has its 1x1 default).
Surface *TargetOf(DeviceContext &dc);
HGDIOBJ StockObject(int index);
// The 1x1 monochrome bitmap every new memory DC starts with.
HGDIOBJ DefaultBitmap();
HDC NewDC(DCKind kind, std::shared_ptr<Surface> surface);
// Lets go of everything a DC holds and removes it.
void RemoveDC(HDC dc);

// Regions as rectangle lists.
RectList CombineRects(const RectList &a, const RectList &b, int mode);
RectList RectsOf(const RECT &rect);
RECT BoundsOf(const RectList &rects);
int Complexity(const RectList &rects);

// Where a DC may draw, in surface coordinates: the surface, cut by the window's
// visible part and by the clip region.
RectList DrawableArea(DeviceContext &dc, const Surface &surface);
RectList OffsetRects(RectList rects, POINT by);

} // namespace headless::gdi

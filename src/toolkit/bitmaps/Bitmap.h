// Off-screen pictures: device-dependent bitmaps, and DIBs whose pixels live in
// a plain memory block until a GDI handle is needed.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/objects/ObjectBase.h"
#include "toolkit/platform/Win32.h"

class Canvas;

namespace HandleKind {
constexpr std::uint8_t DIB = 0;
constexpr std::uint8_t DDB = 1;
} // namespace HandleKind

// Indices of the pixel format table.
namespace PixelFormat {
constexpr std::uint8_t Device = 0;
constexpr std::uint8_t Bits1 = 1;
constexpr std::uint8_t Bits4 = 2;
constexpr std::uint8_t Bits8 = 3;
constexpr std::uint8_t Bits15 = 4; // 16 bits, 5-5-5
constexpr std::uint8_t Bits16 = 5; // 16 bits, 5-6-5 bit fields
constexpr std::uint8_t Bits24 = 6;
constexpr std::uint8_t Bits32 = 7;
constexpr std::uint8_t Custom = 8;
// Used for formats without a bit count of their own.
constexpr std::uint8_t Default = Bits16;
} // namespace PixelFormat

// Bits per pixel of a format; 0 for those that stand for the default.
int PixelFormatBits(std::uint8_t format);

class Bitmap : public ObjectBase {
public:
    void Destroy() override;

    bool IsEmpty() const { return Width <= 0 || Height <= 0; }
    // The HBITMAP, turning DIB memory into a DIB section first; null when empty or when that fails
    // (FailureMessage then says why, and the pixels stay in their block).
    HBITMAP GetHandle();
    Bitmap *SetWidth(LONG width);
    // A DIB becomes a DDB first.
    Bitmap *SetHeight(LONG height);
    Bitmap *SetHandleType(std::uint8_t type);
    // A canvas over a memory DC with the bitmap selected; null when empty or when there is no handle.
    class Canvas *Canvas();
    void Draw(HDC dc, int x, int y);
    // Drops the handle and the pixels.
    void Clear();
    // Takes the bitmap out of its canvas's DC, so it may be drawn from, changed or deleted.
    void DeselectFromCanvas();
    // Bytes per row of the DIB, worked out once.
    std::uint32_t GetScanLineSize();

    LONG Height = 0;
    LONG Width = 0;
    HBITMAP Handle = nullptr;
    class Canvas *OwnCanvas = nullptr;
    std::uint32_t ScanLineSize = 0;
    // Fills new area when a DDB grows; the canvas brush starts with it and it follows that brush's colour.
    std::uint32_t BkColor = 0;
    // What the canvas DC held before the bitmap; set while the bitmap is selected there.
    HGDIOBJ SavedCanvasObject = nullptr;
    std::uint8_t HandleType = HandleKind::DIB;
    // Header and room for 256 colours.
    BITMAPINFO *DIBHeader = nullptr;
    // A zeroed memory block, or the bits of the DIB section once there is one.
    void *DIBBits = nullptr;
    std::uint32_t DIBSize = 0;
    std::uint8_t PixelFormat = PixelFormat::Device;
    // DIBBits belong to the DIB section, not to a block of their own.
    bool BitsInSection = false;
    // Why the last DIB section could not be made; empty after a success.
    std::string FailureMessage;

protected:
    ~Bitmap() override = default;

private:
    void FormatChanged();
    void ConvertToDDB(HDC memoryDC);
    void ConvertToDIB(HDC memoryDC, LONG oldHeight);
    void DrawHandle(HDC dc, int x, int y);
    // The height of the GDI object, Height when it cannot be read.
    LONG HandleHeight() const;
    HBITMAP MakeSection(BITMAPINFO *header, void **bits);
};

// A record only: DIB type, sizes stored, no pixels.
Bitmap *NewBitmap(LONG width, LONG height);
// A bitmap compatible with the screen, made at once when both sizes are non-zero.
Bitmap *NewDDBitmap(LONG width, LONG height);
// Zeroed pixels in the given format (the default for formats without a bit count), no GDI object yet.
Bitmap *NewDIBitmap(LONG width, LONG height, std::uint8_t pixelFormat);

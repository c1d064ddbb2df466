// The headless GDI handle table and the object functions: creation, stock
// objects, selection and deletion.
#include "headless/GdiObjects.h"

#include <algorithm>
#include <cstring>

namespace headless::gdi {
namespace {

constexpr const char *KindNames[] = {"pen", "brush", "font", "bitmap", "region", "DC"};

int Slot(Kind kind) { return static_cast<int>(kind); }

std::unique_ptr<Brush> SolidBrush(UINT style, COLORREF color) {
    auto brush = std::make_unique<Brush>();
    brush->Style = style;
    brush->Color = color & 0xFFFFFF;
    return brush;
}

std::unique_ptr<Pen> MakePen(int style, int width, COLORREF color) {
    auto pen = std::make_unique<Pen>();
    pen->Log.lopnStyle = UINT(style);
    pen->Log.lopnWidth = POINT{width < 0 ? -width : width, 0};
    pen->Log.lopnColor = color & 0xFFFFFF;
    return pen;
}

std::unique_ptr<Font> MakeFont(const char *face, LONG height, LONG weight) {
    auto font = std::make_unique<Font>();
    font->Log.lfHeight = height;
    font->Log.lfWeight = weight;
    font->Log.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(font->Log.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

std::unique_ptr<Object> MakeStock(int index) {
    switch (index) {
    case WHITE_BRUSH:
        return SolidBrush(BS_SOLID, 0xFFFFFF);
    case LTGRAY_BRUSH:
        return SolidBrush(BS_SOLID, 0xC0C0C0);
    case GRAY_BRUSH:
        return SolidBrush(BS_SOLID, 0x808080);
    case DKGRAY_BRUSH:
        return SolidBrush(BS_SOLID, 0x404040);
    case BLACK_BRUSH:
        return SolidBrush(BS_SOLID, 0);
    case NULL_BRUSH:
        return SolidBrush(BS_NULL, 0);
    case WHITE_PEN:
        return MakePen(PS_SOLID, 0, 0xFFFFFF);
    case BLACK_PEN:
        return MakePen(PS_SOLID, 0, 0);
    case NULL_PEN:
        return MakePen(PS_NULL, 0, 0);
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
        return MakeFont("Courier", 12, FW_NORMAL);
    case ANSI_VAR_FONT:
        return MakeFont("MS Sans Serif", 12, FW_NORMAL);
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
        return MakeFont("System", 16, FW_BOLD);
    case DEFAULT_GUI_FONT:
        return MakeFont("MS Shell Dlg", -11, FW_NORMAL);
    default:
        return nullptr;
    }
}

HGDIOBJ AddStock(std::unique_ptr<Object> object) {
    object->Stock = true;
    return Table::Instance().Add(std::move(object));
}

HGDIOBJ *SlotFor(DeviceContext &dc, Kind kind) {
    switch (kind) {
    case Kind::Pen:
        return &dc.SelectedPen;
    case Kind::Brush:
        return &dc.SelectedBrush;
    case Kind::Font:
        return &dc.SelectedFont;
    case Kind::Bitmap:
        return &dc.SelectedBitmap;
    default:
        return nullptr;
    }
}

// Drops one selection of an object; a deletion asked for meanwhile happens now.
void Unselect(HGDIOBJ handle) {
    Table &table = Table::Instance();
    Object *object = table.Find(handle);
    if (!object)
        return;
    if (object->Selections > 0)
        --object->Selections;
    if (object->Selections == 0 && object->DeletePending)
        table.Remove(handle);
}

void Select(HGDIOBJ handle) {
    if (Object *object = Table::Instance().Find(handle))
        ++object->Selections;
}

template <class T> int CopyOut(const T &value, int size, LPVOID buffer) {
    if (!buffer)
        return int(sizeof(T));
    const int n = std::min<int>(size, int(sizeof(T)));
    if (n <= 0)
        return 0;
    std::memcpy(buffer, &value, std::size_t(n));
    return n;
}

} // namespace

Table &Table::Instance() {
    static Table table;
    return table;
}

std::unique_lock<std::recursive_mutex> Locked() { return std::unique_lock(Table::Instance().Lock); }

HGDIOBJ Table::Add(std::unique_ptr<Object> object) {
    const std::uintptr_t handle = NextHandle;
    NextHandle += 4;
    if (!object->Stock) {
        ++Live[Slot(object->ObjectKind)];
        ++Created[Slot(object->ObjectKind)];
    }
    Objects.emplace(handle, std::move(object));
    return reinterpret_cast<HGDIOBJ>(handle);
}

Object *Table::Find(HGDIOBJ handle, std::optional<Kind> kind) {
    const auto found = Objects.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == Objects.end())
        return nullptr;
    if (kind && found->second->ObjectKind != *kind)
        return nullptr;
    return found->second.get();
}

void Table::Remove(HGDIOBJ handle) {
    const auto found = Objects.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == Objects.end() || found->second->Stock)
        return;
    --Live[Slot(found->second->ObjectKind)];
    Objects.erase(found);
}

void Table::NoteMisuse(std::string what) {
    // The first faults tell most; later ones are dropped rather than kept without end.
    if (Misuses.size() < 1000)
        Misuses.push_back(std::move(what));
}

DeviceContext *FindDC(HDC dc) { return Table::Instance().Get<DeviceContext>(dc, Kind::DC); }

Surface *TargetOf(DeviceContext &dc) {
    if (dc.Target != DCKind::Memory)
        return dc.Own.get();
    auto *bitmap = Table::Instance().Get<Bitmap>(dc.SelectedBitmap, Kind::Bitmap);
    return bitmap ? bitmap->Pixels.get() : nullptr;
}

HGDIOBJ StockObject(int index) {
    static std::unordered_map<int, HGDIOBJ> stock;
    const auto found = stock.find(index);
    if (found != stock.end())
        return found->second;
    std::unique_ptr<Object> object = MakeStock(index);
    if (!object)
        return nullptr;
    return stock[index] = AddStock(std::move(object));
}

HGDIOBJ DefaultBitmap() {
    static HGDIOBJ bitmap = [] {
        auto object = std::make_unique<Bitmap>();
        object->Pixels = NewSurface(1, 1, 1);
        return AddStock(std::move(object));
    }();
    return bitmap;
}

HDC NewDC(DCKind kind, std::shared_ptr<Surface> surface) {
    auto dc = std::make_unique<DeviceContext>();
    dc->Target = kind;
    dc->Own = std::move(surface);
    dc->SelectedPen = StockObject(BLACK_PEN);
    dc->SelectedBrush = StockObject(WHITE_BRUSH);
    dc->SelectedFont = StockObject(SYSTEM_FONT);
    if (kind == DCKind::Memory)
        dc->SelectedBitmap = DefaultBitmap();
    for (HGDIOBJ object : {dc->SelectedPen, dc->SelectedBrush, dc->SelectedFont, dc->SelectedBitmap})
        Select(object);
    return static_cast<HDC>(Table::Instance().Add(std::move(dc)));
}

void RemoveDC(HDC handle) {
    DeviceContext *dc = FindDC(handle);
    if (!dc)
        return;
    const HGDIOBJ held[] = {dc->SelectedPen, dc->SelectedBrush, dc->SelectedFont, dc->SelectedBitmap};
    Table::Instance().Remove(handle);
    for (HGDIOBJ object : held)
        Unselect(object);
}

} // namespace headless::gdi

using namespace headless::gdi;

HGDIOBJ GetStockObject(int index) {
    auto lock = Locked();
    return StockObject(index);
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto lock = Locked();
    return static_cast<HBRUSH>(Table::Instance().Add(SolidBrush(BS_SOLID, color)));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS)
        return nullptr;
    auto lock = Locked();
    auto brush = SolidBrush(BS_HATCHED, color);
    brush->Hatch = hatch;
    return static_cast<HBRUSH>(Table::Instance().Add(std::move(brush)));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    auto lock = Locked();
    auto *source = Table::Instance().Get<Bitmap>(bitmap, Kind::Bitmap);
    if (!source)
        return nullptr;
    const Surface &from = *source->Pixels;
    std::shared_ptr<Surface> copy = NewSurface(from.Width, from.Height, from.BitCount == 1 ? 1 : 32);
    for (int y = 0; y < from.Height; ++y)
        for (int x = 0; x < from.Width; ++x)
            copy->Set(x, y, from.Get(x, y));
    auto brush = SolidBrush(BS_PATTERN, 0);
    brush->Pattern = std::move(copy);
    return static_cast<HBRUSH>(Table::Instance().Add(std::move(brush)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH *log) {
    if (!log)
        return nullptr;
    switch (log->lbStyle) {
    case BS_SOLID:
        return CreateSolidBrush(log->lbColor);
    case BS_NULL: {
        auto lock = Locked();
        return static_cast<HBRUSH>(Table::Instance().Add(SolidBrush(BS_NULL, 0)));
    }
    case BS_HATCHED:
        return CreateHatchBrush(int(log->lbHatch), log->lbColor);
    case BS_PATTERN:
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(log->lbHatch));
    default:
        return nullptr;
    }
}

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME)
        return nullptr;
    auto lock = Locked();
    return static_cast<HPEN>(Table::Instance().Add(MakePen(style, width, color)));
}

HPEN CreatePenIndirect(const LOGPEN *log) {
    return log ? CreatePen(int(log->lopnStyle), log->lopnWidth.x, log->lopnColor) : nullptr;
}

HFONT CreateFontIndirectA(const LOGFONTA *log) {
    if (!log)
        return nullptr;
    auto lock = Locked();
    auto font = std::make_unique<Font>();
    font->Log = *log;
    font->Log.lfFaceName[LF_FACESIZE - 1] = 0;
    return static_cast<HFONT>(Table::Instance().Add(std::move(font)));
}

BOOL DeleteObject(HGDIOBJ handle) {
    auto lock = Locked();
    Table &table = Table::Instance();
    Object *object = table.Find(handle);
    if (!object || object->ObjectKind == Kind::DC)
        return FALSE;
    if (object->Stock)
        return TRUE;
    if (object->Selections > 0) {
        // Windows defers the deletion too; either way it is a fault of the caller.
        object->DeletePending = true;
        table.NoteMisuse(std::string("DeleteObject of a ") + KindNames[Slot(object->ObjectKind)] +
                         " still selected into a DC");
        return TRUE;
    }
    table.Remove(handle);
    return TRUE;
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ object) {
    auto lock = Locked();
    DeviceContext *dc = FindDC(handle);
    Object *target = Table::Instance().Find(object);
    if (!dc || !target || target->DeletePending)
        return nullptr;
    if (target->ObjectKind == Kind::Region)
        return reinterpret_cast<HGDIOBJ>(std::intptr_t(SelectClipRgn(handle, static_cast<HRGN>(object))));
    HGDIOBJ *slot = SlotFor(*dc, target->ObjectKind);
    if (!slot)
        return nullptr;
    if (target->ObjectKind == Kind::Bitmap) {
        // Only memory DCs take bitmaps, and a bitmap is in one DC at a time.
        if (dc->Target != DCKind::Memory)
            return nullptr;
        if (target->Selections > 0 && *slot != object && !target->Stock)
            return nullptr;
    }
    const HGDIOBJ previous = *slot;
    if (previous == object)
        return previous;
    *slot = object;
    Select(object);
    Unselect(previous);
    return previous;
}

HGDIOBJ GetCurrentObject(HDC handle, UINT type) {
    auto lock = Locked();
    DeviceContext *dc = FindDC(handle);
    if (!dc)
        return nullptr;
    switch (type) {
    case OBJ_PEN:
        return dc->SelectedPen;
    case OBJ_BRUSH:
        return dc->SelectedBrush;
    case OBJ_FONT:
        return dc->SelectedFont;
    case OBJ_BITMAP:
        return dc->SelectedBitmap;
    default:
        return nullptr;
    }
}

int GetObjectA(HGDIOBJ handle, int size, LPVOID buffer) {
    auto lock = Locked();
    Object *object = Table::Instance().Find(handle);
    if (!object)
        return 0;
    switch (object->ObjectKind) {
    case Kind::Pen:
        return CopyOut(static_cast<Pen *>(object)->Log, size, buffer);
    case Kind::Brush: {
        const auto *brush = static_cast<Brush *>(object);
        const LOGBRUSH log{brush->Style, brush->Color, ULONG_PTR(brush->Hatch)};
        return CopyOut(log, size, buffer);
    }
    case Kind::Font:
        return CopyOut(static_cast<Font *>(object)->Log, size, buffer);
    case Kind::Bitmap: {
        const auto *bitmap = static_cast<Bitmap *>(object);
        const Surface &pixels = *bitmap->Pixels;
        BITMAP info{0, pixels.Width, pixels.Height, pixels.Stride, 1, WORD(pixels.BitCount), nullptr};
        if (bitmap->IsSection)
            info.bmBits = pixels.Bits;
        return CopyOut(info, size, buffer);
    }
    default:
        return 0;
    }
}

DWORD GetObjectType(HGDIOBJ handle) {
    auto lock = Locked();
    Object *object = Table::Instance().Find(handle);
    if (!object)
        return 0;
    switch (object->ObjectKind) {
    case Kind::Pen:
        return OBJ_PEN;
    case Kind::Brush:
        return OBJ_BRUSH;
    case Kind::Font:
        return OBJ_FONT;
    case Kind::Bitmap:
        return OBJ_BITMAP;
    case Kind::Region:
        return OBJ_REGION;
    case Kind::DC:
        return static_cast<DeviceContext *>(object)->Target == DCKind::Memory ? OBJ_MEMDC : OBJ_DC;
    }
    return 0;
}

HDC CreateCompatibleDC(HDC dc) {
    auto lock = Locked();
    if (dc && !FindDC(dc))
        return nullptr;
    return NewDC(DCKind::Memory, nullptr);
}

BOOL DeleteDC(HDC handle) {
    auto lock = Locked();
    DeviceContext *dc = FindDC(handle);
    if (!dc)
        return FALSE;
    if (dc->Target != DCKind::Memory) {
        Table::Instance().NoteMisuse("DeleteDC of a DC that ReleaseDC should give back");
        return FALSE;
    }
    RemoveDC(handle);
    return TRUE;
}

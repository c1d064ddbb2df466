#include "toolkit/bitmaps/Bitmap.h"

#include <cstdlib>
#include <cstring>

#include "toolkit/bitmaps/DibHeader.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DrawingTool.h"

namespace {

void CanvasChanged(void *data, ObjectBase *) {
    auto *bitmap = static_cast<Bitmap *>(data);
    if (bitmap->OwnCanvas && bitmap->OwnCanvas->BrushTool)
        bitmap->BkColor = bitmap->OwnCanvas->BrushTool->Settings.Color;
}

// The system's text for an error code, without the line break it ends with.
std::string SystemText(DWORD code) {
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY, nullptr, code, 0, text, sizeof text,
                   nullptr);
    std::string result(text);
    while (!result.empty() && static_cast<unsigned char>(result.back()) < '!')
        result.pop_back();
    return result;
}

} // namespace

Bitmap *NewBitmap(LONG width, LONG height) {
    Bitmap *bitmap = NewObject<Bitmap>();
    bitmap->Width = width;
    bitmap->Height = height;
    return bitmap;
}

Bitmap *NewDDBitmap(LONG width, LONG height) {
    Bitmap *bitmap = NewBitmap(width, height);
    bitmap->HandleType = HandleKind::DDB;
    if (!bitmap->IsEmpty())
        bitmap->Handle = NewScreenBitmap(width, height);
    return bitmap;
}

Bitmap *NewDIBitmap(LONG width, LONG height, std::uint8_t pixelFormat) {
    Bitmap *bitmap = NewBitmap(width, height);
    if (bitmap->IsEmpty())
        return bitmap;
    bitmap->PixelFormat = DibFormat(pixelFormat);
    bitmap->DIBHeader = NewDibHeader(bitmap->PixelFormat, width, height);
    bitmap->DIBBits = NewDibBits(bitmap->DIBHeader, bitmap->DIBSize);
    return bitmap;
}

void Bitmap::Destroy() {
    DeselectFromCanvas();
    FreeAndClear(OwnCanvas);
    Clear();
    Width = Height = 0;
    BitsInSection = false;
    ObjectBase::Destroy();
}

std::uint32_t Bitmap::GetScanLineSize() {
    if (!ScanLineSize && DIBHeader)
        ScanLineSize = DibStride(DIBHeader->bmiHeader.biBitCount, DIBHeader->bmiHeader.biWidth);
    return ScanLineSize;
}

HBITMAP Bitmap::MakeSection(BITMAPINFO *header, void **bits) {
    HDC screen = GetDC(nullptr);
    SetLastError(0);
    HBITMAP section = CreateDIBSection(screen, header, DIB_RGB_COLORS, bits, nullptr, 0);
    const DWORD error = GetLastError();
    ReleaseDC(nullptr, screen);
    if (section && *bits) {
        FailureMessage.clear();
        return section;
    }
    if (section)
        DeleteObject(section);
    *bits = nullptr;
    // Windows would stop here with an assertion; the caller instead goes on without the section.
    FailureMessage = "Can not create DIB section, error: " + std::to_string(error);
    const std::string text = SystemText(error);
    if (!text.empty())
        FailureMessage += " " + text;
    return nullptr;
}

HBITMAP Bitmap::GetHandle() {
    if (IsEmpty())
        return nullptr;
    DeselectFromCanvas();
    if (!Handle && DIBBits && DIBHeader) {
        void *bits = nullptr;
        if (HBITMAP section = MakeSection(DIBHeader, &bits)) {
            std::memcpy(bits, DIBBits, DIBSize);
            if (!BitsInSection)
                GlobalFree(DIBBits);
            DIBBits = bits;
            BitsInSection = true;
            Handle = section;
        }
    }
    return Handle;
}

Bitmap *Bitmap::SetWidth(LONG width) {
    if (width != Width) {
        Width = width;
        FormatChanged();
    }
    return this;
}

Bitmap *Bitmap::SetHeight(LONG height) {
    if (height != Height) {
        SetHandleType(HandleKind::DDB);
        Height = height;
        FormatChanged();
    }
    return this;
}

Bitmap *Bitmap::SetHandleType(std::uint8_t type) {
    if (type != HandleType) {
        HandleType = type;
        FormatChanged();
    }
    return this;
}

Canvas *Bitmap::Canvas() {
    if (IsEmpty())
        return nullptr;
    const HBITMAP handle = GetHandle();
    if (!handle)
        return nullptr;
    if (!OwnCanvas) {
        OwnCanvas = NewCanvas(CreateCompatibleDC(nullptr));
        OwnCanvas->OnChange = {&CanvasChanged, this};
        Brush *brush = OwnCanvas->Brush();
        if (BkColor)
            brush->SetColor(BkColor);
    }
    if (!OwnCanvas->DC)
        OwnCanvas->SetHandle(CreateCompatibleDC(nullptr));
    if (!SavedCanvasObject)
        SavedCanvasObject = SelectObject(OwnCanvas->DC, handle);
    return OwnCanvas;
}

void Bitmap::DeselectFromCanvas() {
    if (OwnCanvas && OwnCanvas->DC && SavedCanvasObject)
        SelectObject(OwnCanvas->DC, SavedCanvasObject);
    SavedCanvasObject = nullptr;
}

LONG Bitmap::HandleHeight() const {
    BITMAP info{};
    return GetObjectA(Handle, sizeof info, &info) ? info.bmHeight : Height;
}

void Bitmap::DrawHandle(HDC dc, int x, int y) {
    const LONG height = HandleHeight();
    DeselectFromCanvas();
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ saved = SelectObject(memory, Handle);
    BitBlt(dc, x, y, Width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, saved);
    DeleteDC(memory);
}

void Bitmap::Draw(HDC dc, int x, int y) {
    if (IsEmpty())
        return;
    if (Handle) {
        DrawHandle(dc, x, y);
        return;
    }
    if (!DIBBits || !DIBHeader)
        return;
    const LONG height = std::labs(DIBHeader->bmiHeader.biHeight);
    if (StretchDIBits(dc, x, y, Width, height, 0, 0, Width, height, DIBBits, DIBHeader, DIB_RGB_COLORS, SRCCOPY))
        return;
    // Some devices take no DIBs: make the section and copy it by handle.
    if (GetHandle())
        DrawHandle(dc, x, y);
}

void Bitmap::Clear() {
    DeselectFromCanvas();
    if (Handle) {
        DeleteObject(Handle);
        Handle = nullptr;
        if (BitsInSection)
            DIBBits = nullptr;
    }
    if (DIBBits)
        GlobalFree(DIBBits);
    DIBBits = nullptr;
    DIBSize = 0;
    FreeDibHeader(DIBHeader);
    ScanLineSize = 0;
    BitsInSection = false;
}

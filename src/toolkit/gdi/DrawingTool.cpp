#include "toolkit/gdi/DrawingTool.h"

#include <cstddef>
#include <cstring>

namespace {

// Parent chains follow the control tree; a longer one can only be a loop.
constexpr int MaxParentDepth = 256;

bool SameSettings(const DrawingTool &a, const DrawingTool &b) {
    return std::memcmp(&a.Settings, &b.Settings, sizeof(ToolSettings)) == 0;
}

std::uint8_t *SettingsBytes(DrawingTool &tool) { return reinterpret_cast<std::uint8_t *>(&tool.Settings); }

// A copy of a bitmap in the same format (a monochrome one stays monochrome).
HBITMAP DuplicateBitmap(HBITMAP source) {
    BITMAP info{};
    if (!GetObjectA(source, sizeof info, &info))
        return nullptr;
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    HGDIOBJ savedFrom = SelectObject(from, source);
    HBITMAP copy = CreateCompatibleBitmap(from, info.bmWidth, info.bmHeight);
    HGDIOBJ savedTo = copy ? SelectObject(to, copy) : nullptr;
    if (copy)
        BitBlt(to, 0, 0, info.bmWidth, info.bmHeight, from, 0, 0, SRCCOPY);
    if (savedTo)
        SelectObject(to, savedTo);
    SelectObject(from, savedFrom);
    DeleteDC(to);
    DeleteDC(from);
    return copy;
}

} // namespace

COLORREF ColorToRGB(std::uint32_t color) {
    return (color & 0x80000000u) ? GetSysColor(static_cast<int>(color & 0x7FFFFFFFu)) : color;
}

void DrawingTool::Destroy() {
    if (Handle)
        DeleteObject(Handle);
    Handle = nullptr;
    if (Kind != ToolKind::Font && Settings.Brush.BrushBitmap)
        DeleteObject(BitmapFromBits(Settings.Brush.BrushBitmap));
    Settings.Brush.BrushBitmap = 0;
    SetParentTool(nullptr);
    ObjectBase::Destroy();
}

DrawingTool *DrawingTool::SetColor(std::uint32_t color) {
    SetIntField(ToolField::Color, static_cast<std::int32_t>(color));
    // A handle already made keeps the colour it was made with, so that a later
    // change of the system colour behind it is still noticed.
    if (!Handle)
        HandleColor = ColorToRGB(color);
    return this;
}

DrawingTool *DrawingTool::SetIntField(int field, std::int32_t value) {
    if (field < 0 || field > static_cast<int>(sizeof(ToolSettings) - sizeof value))
        return this;
    std::uint8_t *at = SettingsBytes(*this) + field;
    if (std::memcmp(at, &value, sizeof value) != 0) {
        std::memcpy(at, &value, sizeof value);
        Changed();
    }
    return this;
}

DrawingTool *DrawingTool::SetBrushStyle(std::uint8_t style) {
    if (Settings.Brush.BrushStyle != style) {
        Settings.Brush.BrushStyle = style;
        Changed();
    }
    return this;
}

DrawingTool *DrawingTool::SetPenMode(std::uint8_t mode) {
    if (Settings.Pen.PenMode != mode) {
        Settings.Pen.PenMode = mode;
        Changed();
    }
    return this;
}

DrawingTool *DrawingTool::SetBrushBitmap(HBITMAP bitmap) {
    const auto value = HandleBits(bitmap);
    const std::uint32_t old = Settings.Brush.BrushBitmap;
    if (Kind == ToolKind::Font || old == value)
        return this;
    Settings.Brush.BrushBitmap = value;
    Changed();
    if (old)
        DeleteObject(BitmapFromBits(old));
    return this;
}

DrawingTool *DrawingTool::SetParentTool(DrawingTool *parent) {
    if (parent == ParentTool)
        return this;
    if (parent)
        parent->AddRef();
    DrawingTool *old = ParentTool;
    ParentTool = parent;
    ObjectBase::Free(old);
    return this;
}

void DrawingTool::Changed() {
    HGDIOBJ old = Handle;
    Handle = nullptr;
    if (old) {
        OnChange(this);
        DeleteObject(old);
    }
    OnChange(this);
}

HGDIOBJ DrawingTool::GetHandle() {
    DrawingTool *tool = this;
    for (int depth = 0;; ++depth) {
        if (tool->Handle && tool->ResolvedColor() != tool->HandleColor)
            tool->Changed();
        if (tool->Handle)
            return tool->Handle;
        if (tool->ParentTool && depth < MaxParentDepth && SameSettings(*tool, *tool->ParentTool)) {
            tool = tool->ParentTool;
            continue;
        }
        tool->HandleColor = tool->ResolvedColor();
        tool->Handle = tool->MakeHandle ? tool->MakeHandle(*tool) : nullptr;
        return tool->Handle;
    }
}

DrawingTool *DrawingTool::Assign(DrawingTool *dst, DrawingTool *src) {
    if (!src) {
        ObjectBase::Free(dst);
        return nullptr;
    }
    if (!dst)
        dst = src->Creator();
    // Equal settings keep the handle: painting copies a cell's tools for every cell.
    if (dst == src || (dst->Handle && dst->Handle == src->Handle) || SameSettings(*dst, *src))
        return dst;
    dst->Changed();
    const std::uint32_t ownBitmap = dst->Kind == ToolKind::Font ? 0 : dst->Settings.Brush.BrushBitmap;
    dst->Settings = src->Settings;
    if (src->Kind != ToolKind::Font && src->Settings.Brush.BrushBitmap) {
        // Each tool deletes its own pattern bitmap, so the copy gets a bitmap of its own.
        const HBITMAP copy = DuplicateBitmap(BitmapFromBits(src->Settings.Brush.BrushBitmap));
        dst->Settings.Brush.BrushBitmap = HandleBits(copy);
    }
    if (ownBitmap)
        DeleteObject(BitmapFromBits(ownBitmap));
    dst->Changed();
    return dst;
}

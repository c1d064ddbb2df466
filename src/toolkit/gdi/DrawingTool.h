// Drawing tools: brushes, fonts and pens whose GDI objects are made only when a
// drawing call needs one, shared with an equal parent tool, and made again only
// after a setting (or the system colour behind one) changed.
#pragma once

#include <cstdint>

#include "toolkit/objects/EventSlot.h"
#include "toolkit/objects/ObjectBase.h"
#include "toolkit/platform/Win32.h"

// A colour value is an RGB value or, with bit 31 set, a system colour index.
COLORREF ColorToRGB(std::uint32_t color);

namespace ToolKind {
constexpr std::uint8_t Brush = 0;
constexpr std::uint8_t Font = 1;
constexpr std::uint8_t Pen = 2;
} // namespace ToolKind

// Byte positions of SetIntField in the settings block.
namespace ToolField {
constexpr int Color = 0;
constexpr int PenWidth = 10;
} // namespace ToolField

namespace BrushStyleKind {
constexpr std::uint8_t Solid = 0;
constexpr std::uint8_t Clear = 1;
// Hatch style h is HatchFirst + h.
constexpr std::uint8_t HatchFirst = 2;
} // namespace BrushStyleKind

// A GDI handle in 32 bits of the settings block. Handles carry 32 significant bits on both widths, and a 64-bit
// process widens them with their sign, as Windows does for handles shared with 32-bit processes.
inline std::uint32_t HandleBits(HGDIOBJ handle) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}
inline HBITMAP BitmapFromBits(std::uint32_t bits) {
    return reinterpret_cast<HBITMAP>(static_cast<std::intptr_t>(static_cast<std::int32_t>(bits)));
}

#pragma pack(push, 1)
struct BrushData {
    // A pattern bitmap the tool owns, as HandleBits keeps it.
    std::uint32_t BrushBitmap;
    std::uint8_t BrushStyle;
    std::uint32_t BrushLineColor;
};
// A pen leaves the brush's bitmap and style zero, so PenWidth sits at byte 10 of the block.
struct PenData {
    std::uint32_t NoBitmap;
    std::uint8_t NoBrushStyle;
    std::uint8_t PenStyle;
    std::int32_t PenWidth;
    // The raster operation of SetROP2, less one.
    std::uint8_t PenMode;
};
// What Assign copies and what is compared byte for byte with the parent tool.
struct ToolSettings {
    std::uint32_t Color;
    union {
        std::uint8_t Raw[60];
        BrushData Brush;
        PenData Pen;
        LOGFONTA Font;
    };
};
#pragma pack(pop)
static_assert(sizeof(ToolSettings) == 64);

class DrawingTool : public ObjectBase {
public:
    using CreatorProc = DrawingTool *(*)();
    using HandleFactory = HGDIOBJ (*)(const DrawingTool &tool);

    void Destroy() override;

    // Color through SetIntField; a tool without a handle also notes the resolved colour.
    DrawingTool *SetColor(std::uint32_t color);
    // Sets the 32-bit value at a byte position of the settings block; a change drops the handle.
    DrawingTool *SetIntField(int field, std::int32_t value);
    DrawingTool *SetBrushStyle(std::uint8_t style);
    DrawingTool *SetPenMode(std::uint8_t mode);
    // The tool owns the bitmap from now on; a different one drops the handle and the old bitmap.
    DrawingTool *SetBrushBitmap(HBITMAP bitmap);
    // Uses the equal parent's handle rather than a copy of it; holds a reference to the parent.
    DrawingTool *SetParentTool(DrawingTool *parent);
    // Drops the handle: OnChange fires before it is deleted (so whoever selected it can let it go) and again after.
    void Changed();
    HGDIOBJ GetHandle();
    COLORREF ResolvedColor() const { return ColorToRGB(Settings.Color); }

    // src null: releases dst, gives null. dst null: a new tool of src's kind. Copies src's settings into dst,
    // which keeps its handle when they are equal already.
    static DrawingTool *Assign(DrawingTool *dst, DrawingTool *src);

    std::uint8_t Kind = ToolKind::Brush;
    HGDIOBJ Handle = nullptr;
    DrawingTool *ParentTool = nullptr;
    // The resolved colour the handle was made with.
    COLORREF HandleColor = 0;
    // (data, tool): the tool's handle was dropped.
    NotifyEvent OnChange;
    ToolSettings Settings{};
    CreatorProc Creator = nullptr;
    HandleFactory MakeHandle = nullptr;

protected:
    ~DrawingTool() override = default;
};

class Brush : public DrawingTool {};

class Font : public DrawingTool {
public:
    // Bit 0 bold (weight 700 or more), bit 1 italic, bit 2 underline, bit 3 strike-out.
    std::uint8_t GetStyle() const;
    Font *SetStyle(std::uint8_t style);
};

class Pen : public DrawingTool {};

namespace FontStyle {
constexpr std::uint8_t Bold = 1;
constexpr std::uint8_t Italic = 2;
constexpr std::uint8_t Underline = 4;
constexpr std::uint8_t StrikeOut = 8;
} // namespace FontStyle

// Solid, button-face colour.
Brush *NewBrush();
// Window-text colour, "MS Sans Serif", default size and weight.
Font *NewFont();
// Black, solid, width 0, R2_COPYPEN.
Pen *NewPen();

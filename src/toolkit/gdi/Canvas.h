// A canvas: one device context with the drawing tools selected into it only
// when a drawing call asks for them, and only when not already there.
#pragma once

#include <cstdint>

#include "toolkit/gdi/DrawingTool.h"
#include "toolkit/objects/EventSlot.h"
#include "toolkit/objects/ObjectBase.h"
#include "toolkit/platform/Win32.h"

class Canvas;
class Control;

// Bits of Canvas::State, and the flags of RequireState.
namespace CanvasState {
constexpr std::uint8_t DC = 0x01;
constexpr std::uint8_t Pen = 0x02;
constexpr std::uint8_t Brush = 0x04;
constexpr std::uint8_t Font = 0x08;
constexpr std::uint8_t Tools = Pen | Brush | Font;
// RequireState only: fire OnChange first.
constexpr std::uint8_t Notify = 0x10;
} // namespace CanvasState

// How a control's canvas reaches its control: the DC on demand, and the
// control's colours and tools where the canvas has none of its own.
struct ControlCanvasHook {
    HDC (*GetHandle)(Canvas *canvas);
    // Gives back a DC the hook handed out, unless it is the control's paint DC.
    void (*ReleaseHandle)(Canvas *canvas, HDC dc);
    std::uint32_t (*Color)(Canvas *canvas);
    std::uint32_t (*TextColor)(Canvas *canvas);
    // The control's own tools, or null; never made here.
    class Brush *(*BrushTool)(Canvas *canvas);
    class Font *(*FontTool)(Canvas *canvas);
};

class Canvas : public ObjectBase {
public:
    void Destroy() override;

    // Lets go of the current DC first (deleting it, or giving it back to the hook), then takes dc.
    Canvas *SetHandle(HDC dc);
    // The DC, asked of the hook first when there is one; null when none can be had.
    HDC Handle();
    // Selects the asked tools that are not selected yet and returns the DC, or null.
    HDC RequireState(std::uint8_t flags);
    // Puts stock objects in place of the canvas's tools, so their handles may be deleted.
    void DeselectTools();

    // The canvas's tools, made on first use; a changed tool is reselected before the next drawing call.
    class Brush *Brush();
    class Font *Font();
    class Pen *Pen();

    void MoveTo(int x, int y);
    void SetPenPos(POINT point);
    // Outlined with the pen, filled with the brush.
    void Rectangle(int left, int top, int right, int bottom);
    // With the canvas brush; else the owner's brush or colour; else the window colour.
    void FillRect(const RECT &rect);
    void DrawFocusRect(const RECT &rect);

    Control *Owner = nullptr;
    HDC DC = nullptr;
    // Re-applied whenever a new DC is attached.
    POINT PenPos{};
    std::uint8_t State = 0;
    class Brush *BrushTool = nullptr;
    class Pen *PenTool = nullptr;
    class Font *FontTool = nullptr;
    // (data, canvas), fired by RequireState when asked.
    NotifyEvent OnChange;
    // Set for a control's canvas; null for a canvas over a DC of its own.
    const ControlCanvasHook *GetHandleHook = nullptr;

protected:
    ~Canvas() override = default;

private:
    void Bind(DrawingTool *tool);
    void SelectFont();
    void SelectPen();
    void SelectBrush();
};

// An empty canvas; with a dc, the canvas owns it (and deletes it when it lets go).
Canvas *NewCanvas(HDC dc = nullptr);

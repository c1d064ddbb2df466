// Controls: one record for every window of the toolkit (the application window, forms, buttons, edit boxes, the
// grid), with its native window made lazily, its geometry, colours and visibility, and its message dispatch.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/objects/EventSlot.h"
#include "toolkit/objects/ObjectBase.h"
#include "toolkit/platform/Win32.h"
#include "toolkit/windows/WindowMessage.h"

// The platform header's CreateWindow macro would rename the control operation of that name.
#ifdef CreateWindow
#undef CreateWindow
#endif

class PtrList;
class Font;
class Brush;
class Canvas;

// The notification codes of a control kind, compared in this order by the command procedure (so a code equal to
// the click code always means click), and the message SetColor sends the window (0 for none).
struct CommandActionTable {
    WORD Click = 0;
    WORD FocusGained = 0;
    WORD FocusLost = 0;
    WORD Change = 0;
    UINT ColorMessage = 0;
};

extern const CommandActionTable ButtonActions;
extern const CommandActionTable EditActions;

namespace AlignKind {
constexpr std::uint8_t None = 0;
constexpr std::uint8_t Left = 1;
constexpr std::uint8_t Top = 2;
constexpr std::uint8_t Right = 3;
constexpr std::uint8_t Bottom = 4;
constexpr std::uint8_t Client = 5;
} // namespace AlignKind

namespace AlignStateBits {
constexpr std::uint8_t NeedsAlign = 0x01;
constexpr std::uint8_t SizeChanged = 0x02;
constexpr std::uint8_t Running = 0x04;
} // namespace AlignStateBits

// Options of NewEditBox, one bit each.
namespace EditOption {
constexpr std::uint32_t NoHScroll = 1u << 0;
constexpr std::uint32_t NoVScroll = 1u << 1;
constexpr std::uint32_t LowerCase = 1u << 2;
constexpr std::uint32_t MultiLine = 1u << 3;
constexpr std::uint32_t KeepSelection = 1u << 4;
constexpr std::uint32_t OemConvert = 1u << 5;
constexpr std::uint32_t Password = 1u << 6;
constexpr std::uint32_t ReadOnly = 1u << 7;
constexpr std::uint32_t UpperCase = 1u << 8;
constexpr std::uint32_t WantReturn = 1u << 9;
constexpr std::uint32_t WantTab = 1u << 10;
constexpr std::uint32_t NumbersOnly = 1u << 11;
} // namespace EditOption

struct ClientInsetRect {
    LONG Top = 0;
    LONG Bottom = 0;
    LONG Left = 0;
    LONG Right = 0;
};

class Control : public ObjectBase {
public:
    void Init() override;
    void Destroy() override;
    // Init has run; takes the parent's colour and joins it.
    virtual void InitWithParent(Control *parent);
    // Makes the window (and the parent's first) when missing, and every child's; true when the window exists.
    virtual bool CreateWindow();
    // The dispatch of one message: attached procedures, then the built-in handling, then default processing.
    virtual LRESULT WndProc(WindowMessage &message);

    // The window handle, made first when missing; 0 when it cannot be made.
    HWND GetWindowHandle();
    Control *SetParent(Control *parent);

    Control *SetVisible(bool flag);
    Control *Hide() { return SetVisible(false); }
    bool GetVisible();
    Control *SetEnabled(bool flag);
    Control *SetCaption(std::string_view text);
    Control *SetStyle(DWORD style);
    Control *SetExStyle(DWORD style);
    Control *SetClassStyle(UINT style);
    Control *SetHasBorder(bool flag);
    Control *SetStayOnTop(bool flag);
    Control *SetColor(std::uint32_t color);
    Control *SetCursor(HCURSOR cursor);
    Control *SetUnicodeFormat(bool flag);
    Control *Invalidate();
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
    Control *Close();
    Control *GetChild(std::int32_t index) const;
    std::int32_t ChildCount() const;
    // The nearest ancestor, or the control itself, that is not a child control.
    Control *ParentForm();

    // Geometry: bounds in the client coordinates of the parent window (screen coordinates for top-level windows).
    RECT BoundsRect();
    Control *SetBoundsRect(const RECT &rect);
    LONG GetLeft() { return BoundsRect().left; }
    LONG GetTop() { return BoundsRect().top; }
    LONG GetWidth();
    LONG GetHeight();
    Control *SetLeft(LONG x);
    Control *SetTop(LONG y);
    Control *SetWidth(LONG width);
    Control *SetHeight(LONG height);
    Control *SetPosition(LONG left, LONG top);
    // A zero argument keeps that dimension.
    Control *SetSize(LONG width, LONG height);
    RECT ClientRect();
    LONG ClientWidth();
    LONG ClientHeight();
    Control *SetClientWidth(LONG width);
    Control *SetClientHeight(LONG height);
    // Only positive arguments are applied.
    Control *SetClientSize(LONG width, LONG height);

    // Dispatch and events.
    Control *AttachProc(MessageProc proc);
    Control *SetOnPaint(PaintEvent handler);
    Control *SetOnKeyDown(KeyEvent handler);
    Control *SetOnChar(KeyEvent handler);
    Control *SetOnMouseDown(MouseEvent handler);
    Control *SetOnMouseUp(MouseEvent handler);
    Control *SetOnMouseMove(MouseEvent handler);
    Control *SetOnMouseDblClk(MouseEvent handler);
    Control *SetOnMouseWheel(MouseEvent handler);
    Control *SetDoubleBuffered(bool flag);

    // Layout.
    Control *SetAlign(std::uint8_t align);
    Control *SetAnchors(bool left, bool top, bool right, bool bottom);

    // The message pump of the calling thread: takes and dispatches one message (false when none was waiting), or
    // all that are waiting, including any posted meanwhile. A WM_QUIT is posted again for the host's loop (false).
    static bool ProcessMessage();
    static void ProcessMessages();
    // Only the paints that are due: no posted message, no input and no quit is taken out of the host's order, so no
    // handler of the host's (its close, its FreeLibrary) runs inside ours.
    static void ProcessPaintMessages();

    // Applies a visibility without fixing it: WS_VISIBLE and Visible follow, and the window is shown or hidden.
    void ApplyVisible(bool flag);

    HWND Handle = nullptr;
    UINT ClassStyle = CS_OWNDC;
    DWORD Style = 0x16CF0000;
    DWORD ExStyle = WS_EX_CONTROLPARENT;
    HCURSOR Cursor = nullptr;
    // Null until loaded; NoIcon means none is wanted.
    HICON Icon = nullptr;
    // Default processing for controls over a system class; null means DefWindowProcA.
    WNDPROC DefWndProc = nullptr;
    Control *Parent = nullptr;
    bool Enabled = true;
    bool Visible = true;
    bool TabStop = false;
    // (procedure, flag) pairs in attaching order; a non-zero flag lets the procedure run after termination.
    PtrList *AttachedProcs = nullptr;
    PtrList *Children = nullptr;
    HBRUSH ColorBrush = nullptr;
    COLORREF ColorBrushRGB = 0;
    bool Destroying = false;
    std::uint8_t WindowDestroyed = 0;
    std::int32_t MessageDepth = 0;
    WORD ControlId = 0;
    bool IsAlignRoot = false;
    bool IsControl = false;
    // Bit 0: the left was set, bit 1: the top was set.
    std::uint8_t PositionSet = 0;
    HRGN UpdateRegion = nullptr;
    HDC PaintDC = nullptr;
    NotifyEvent OnLeave;
    DispatchHook ProcsRunner = nullptr;
    DispatchHook KeyHook = nullptr;
    const char *BaseClassName = nullptr;
    std::uint8_t Ctl3DMode = 1;
    bool Ctl3D = true;
    std::uint32_t TextColor = 8;
    std::uint32_t Color = 0x8000000F;
    class Font *Font = nullptr;
    class Brush *Brush = nullptr;
    class Canvas *Canvas = nullptr;
    LONG Margin = 2;
    RECT Bounds{};
    ClientInsetRect ClientInsets;
    bool DoubleBuffered = false;
    bool Painting = false;
    NotifyEvent OnClick;
    Control *CurrentControl = nullptr;
    bool VisibilityFixed = false;
    bool ShowPending = false;
    std::uint8_t FocusDepth = 0;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    MouseEvent OnMouseMove;
    MouseEvent OnMouseDblClk;
    MouseEvent OnMouseWheel;
    NotifyEvent OnChange;
    NotifyEvent OnEnter;
    CommandActionTable CommandActions;
    KeyEvent OnChar;
    KeyEvent OnKeyUp;
    KeyEvent OnKeyDown;
    PaintEvent OnPaint;
    std::int32_t ModalResult = 0;
    std::uint8_t Align = AlignKind::None;
    std::uint8_t AlignState = 0;
    std::string Caption;
    ObjectBase *CustomObject = nullptr;
    void (*AfterCreateHook)(Control *control) = nullptr;
    bool AnchorLeft = false;
    bool AnchorTop = false;
    bool AnchorRight = false;
    bool AnchorBottom = false;
    LONG AnchorClientWidth = 0;
    LONG AnchorClientHeight = 0;
    POINT PaintOffset{};

    static inline const HICON NoIcon = reinterpret_cast<HICON>(~std::uintptr_t{0});

protected:
    ~Control() override = default;

private:
    bool RegisterWindowClass(char (&className)[64], WNDCLASSA &description);
    void DestroyWindowOfControl();
};

// The application window of the library ("vexlet"), or null; messages of windows without a control go to it.
extern Control *Applet;
// When set, only procedures attached with a non-zero flag run. The pump leaves it alone: a quit it takes is the
// host's and is handed back, and the plug-in keeps working until the host really ends.
extern bool Terminated;
// How many WM_QUITs a pump of ours took and posted again: a modal loop of ours ends when this changes.
extern std::uint32_t QuitsHandedBack;

// Makes the record of a new control. Kinds that carry fields of their own (the grid) pass a maker of their type,
// derived from Control; null makes a plain Control.
using ControlMaker = Control *(*)();
Control *NewControlBase(Control *parent, bool ctl3d, const char *baseClassName, ControlMaker make = nullptr);
Control *NewForm(Control *parent, std::string_view caption);
Control *NewApplet(std::string_view caption);
Control *NewCommonControl(Control *parent, const char *baseClassName, DWORD style, bool ctl3d,
                          const CommandActionTable *actions, ControlMaker make = nullptr);
Control *NewButton(Control *parent, std::string_view caption);
Control *NewEditBox(Control *parent, std::uint32_t options);

// The module whose window classes and resources the toolkit uses: the library itself.
HINSTANCE ModuleInstance();
// For the library's end under the loader lock, where no window may be destroyed (that runs hooks and sends to the
// host): every window of the control and its children that belongs to this process and has the toolkit's procedure
// gets the default procedure and a posted WM_CLOSE, so its owner's loop destroys it later; the controls forget their
// windows, so releasing them touches none. Another process's window with the same procedure address is left alone.
void HandOverWindows(Control *control);
// Unregisters the window classes the toolkit registered; a class with a window still alive stays. True when none
// is left.
bool UnregisterWindowClasses();
// True for the main form: the Applet's first child when an applet is in use, else any form.
bool IsMainForm(const Control *control);

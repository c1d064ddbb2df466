// What the dispatch hands to message procedures and event handlers.
#pragma once

#include <cstdint>

#include "toolkit/objects/EventSlot.h"
#include "toolkit/platform/Win32.h"

class Control;

// One message on its way through a control's dispatch. Procedures may rewrite it for those that follow.
struct WindowMessage {
    HWND Hwnd;
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

// A procedure attached to a control; true means handled, and the result is what the window procedure returns.
using MessageProc = bool (*)(Control *control, WindowMessage &message, LRESULT &result);
// The runner of attached procedures and the key dispatcher, installed on a control when first needed.
using DispatchHook = bool (*)(Control *control, WindowMessage &message);

struct MouseEventData {
    std::uint8_t Button = 0; // 0 none, 1 left, 2 right, 3 middle
    bool StopHandling = false;
    // The message's key flags plus 0x20 while Alt is down; for the wheel, the delta is in the high word.
    std::uint32_t Shift = 0;
    std::int16_t X = 0;
    std::int16_t Y = 0;
};

// Shift state given to key events.
namespace ShiftState {
constexpr std::uint32_t LeftButton = 0x01;
constexpr std::uint32_t RightButton = 0x02;
constexpr std::uint32_t Shift = 0x04;
constexpr std::uint32_t Ctrl = 0x08;
constexpr std::uint32_t MiddleButton = 0x10;
constexpr std::uint32_t Alt = 0x20;
constexpr std::uint32_t CapsLock = 0x40;
} // namespace ShiftState

using MouseEvent = Event<MouseEventData &>;
// The handler may change the key; setting it to 0 makes the message count as handled.
using KeyEvent = Event<WPARAM &, std::uint32_t>;
using PaintEvent = Event<HDC>;

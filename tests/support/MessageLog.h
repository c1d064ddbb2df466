// Message-sequence checks: what windows receive is logged, and compared against a table of expected messages.
// Only the watched messages are kept, so a table lists what matters and the system's other traffic is ignored.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <vector>

#include "toolkit/platform/Win32.h"

struct LoggedMessage {
    HWND Window;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
};

namespace Expect {
constexpr unsigned Any = 0;
constexpr unsigned WParam = 1;   // wParam must match
constexpr unsigned LParam = 2;   // lParam must match
constexpr unsigned Optional = 4; // may be missing
} // namespace Expect

struct ExpectedMessage {
    UINT Message;
    unsigned Flags = Expect::Any;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
};

class MessageLog {
public:
    MessageLog(std::initializer_list<UINT> watched);
    ~MessageLog();

    void Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Only messages of this window are kept from now on; null keeps all.
    void OnlyFor(HWND window) { Window = window; }
    void Clear() { Entries.clear(); }

    std::vector<LoggedMessage> Entries;

    // The log messages go to while it lives.
    static MessageLog *Active;

private:
    std::set<UINT> Watched;
    HWND Window = nullptr;
    MessageLog *Previous;
};

::testing::AssertionResult SequenceIs(const MessageLog &log, std::initializer_list<ExpectedMessage> expected);

// A window class whose procedure logs into the active log, then does default processing.
LPCSTR LoggingWindowClass();

#include "support/MessageLog.h"

#include <cstdio>
#include <map>
#include <sstream>
#include <string>

MessageLog *MessageLog::Active = nullptr;

MessageLog::MessageLog(std::initializer_list<UINT> watched) : Watched(watched), Previous(Active) { Active = this; }

MessageLog::~MessageLog() { Active = Previous; }

void MessageLog::Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Watched.count(message) && (!Window || window == Window))
        Entries.push_back({window, message, wParam, lParam});
}

namespace {

std::string Name(UINT message) {
    static const std::map<UINT, const char *> names{
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_ENABLE, "WM_ENABLE"},
        {WM_SETTEXT, "WM_SETTEXT"},
        {WM_PAINT, "WM_PAINT"},
        {WM_CLOSE, "WM_CLOSE"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_NCCREATE, "WM_NCCREATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_CHAR, "WM_CHAR"},
        {WM_COMMAND, "WM_COMMAND"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
        {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
    };
    const auto found = names.find(message);
    if (found != names.end())
        return found->second;
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", message);
    return text;
}

std::string Describe(UINT message, WPARAM wParam, LPARAM lParam) {
    std::ostringstream text;
    text << Name(message) << "(" << std::hex << "0x" << static_cast<unsigned long long>(wParam) << ", 0x"
         << static_cast<unsigned long long>(lParam) << ")";
    return text.str();
}

bool Matches(const LoggedMessage &actual, const ExpectedMessage &expected) {
    return actual.Message == expected.Message &&
           (!(expected.Flags & Expect::WParam) || actual.WParam == expected.WParam) &&
           (!(expected.Flags & Expect::LParam) || actual.LParam == expected.LParam);
}

LRESULT CALLBACK LoggingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (MessageLog::Active)
        MessageLog::Active->Record(hwnd, message, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

::testing::AssertionResult SequenceIs(const MessageLog &log, std::initializer_list<ExpectedMessage> expected) {
    std::size_t at = 0;
    bool ok = true;
    for (const ExpectedMessage &e : expected) {
        if (at < log.Entries.size() && Matches(log.Entries[at], e))
            ++at;
        else if (!(e.Flags & Expect::Optional))
            ok = false;
    }
    if (ok && at == log.Entries.size())
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "\nexpected:";
    for (const ExpectedMessage &e : expected)
        failure << "\n  " << Describe(e.Message, e.WParam, e.LParam)
                << ((e.Flags & Expect::Optional) ? " optional" : "");
    failure << "\nreceived:";
    for (const LoggedMessage &m : log.Entries)
        failure << "\n  " << Describe(m.Message, m.WParam, m.LParam);
    return failure;
}

LPCSTR LoggingWindowClass() {
    static const char *const name = [] {
        WNDCLASSA description{};
        description.lpfnWndProc = &LoggingProc;
        description.hInstance = GetModuleHandleA(nullptr);
        description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        description.lpszClassName = "LoggingWindow";
        RegisterClassA(&description);
        return "LoggingWindow";
    }();
    return name;
}

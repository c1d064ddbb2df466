// The system "EDIT" class, as far as typing goes: characters are inserted at the end of the text (tabs and line
// breaks only in a multi-line box), backspace removes the last one, and the parent hears of focus and changes.
#include "headless/SystemClasses.h"

#include <cctype>
#include <string>

namespace headless {
namespace {

constexpr int FontOffset = 0;

std::string Text(HWND hwnd) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(DefWindowProcA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void Replace(HWND hwnd, const std::string &text) {
    DefWindowProcA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    InvalidateRect(hwnd, nullptr, TRUE);
    NotifyParent(hwnd, EN_UPDATE);
    NotifyParent(hwnd, EN_CHANGE);
}

void Type(HWND hwnd, char ch) {
    const auto style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    if (style & ES_READONLY)
        return;
    std::string text = Text(hwnd);
    const bool multiLine = (style & ES_MULTILINE) != 0;
    if (ch == '\b') {
        if (!text.empty()) {
            text.pop_back();
            Replace(hwnd, text);
        }
        return;
    }
    if (ch == '\t' || ch == '\r') {
        if (!multiLine)
            return;
        text += ch == '\r' ? "\r\n" : "\t";
        Replace(hwnd, text);
        return;
    }
    if (static_cast<unsigned char>(ch) < 0x20)
        return;
    if ((style & ES_NUMBER) && !std::isdigit(static_cast<unsigned char>(ch)))
        return;
    if (style & ES_UPPERCASE)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    else if (style & ES_LOWERCASE)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    Replace(hwnd, text + ch);
}

} // namespace

LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_CHAR:
        Type(hwnd, static_cast<char>(wParam));
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        // A multi-line box stays silent when its text is set whole.
        if (!(GetWindowLongA(hwnd, GWL_STYLE) & ES_MULTILINE)) {
            NotifyParent(hwnd, EN_UPDATE);
            NotifyParent(hwnd, EN_CHANGE);
        }
        return result;
    }
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    case WM_SETFOCUS:
        InvalidateRect(hwnd, nullptr, FALSE);
        NotifyParent(hwnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, FALSE);
        NotifyParent(hwnd, EN_KILLFOCUS);
        return 0;
    case WM_SETFONT:
        SetWindowLongPtrA(hwnd, FontOffset, static_cast<LONG_PTR>(wParam));
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrA(hwnd, FontOffset);
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace headless

// The standard scroll bars of a window: range, page and position, shown and hidden as the range asks.
#include "headless/WindowTable.h"

#include <algorithm>

namespace headless {
namespace {

ScrollBar *Bar(HWND hwnd, int bar) {
    Window *window = Find(hwnd);
    if (!window || (bar != SB_HORZ && bar != SB_VERT))
        return nullptr;
    return &window->Scroll[bar];
}

int LastPosition(const ScrollBar &s) { return s.Max - std::max<int>(static_cast<int>(s.Page) - 1, 0); }

} // namespace
} // namespace headless

using namespace headless;

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL) {
    ScrollBar *s = Bar(hwnd, bar);
    if (!s || !info)
        return 0;
    if (info->fMask & SIF_PAGE)
        s->Page = info->nPage;
    if (info->fMask & SIF_RANGE) {
        // As on Windows, an invalid range (an empty list's 0 .. -1) becomes 0 .. 0 and the rest still applies.
        const bool invalid =
            info->nMin > info->nMax || static_cast<UINT>(info->nMax) - static_cast<UINT>(info->nMin) >= 0x80000000u;
        s->Min = invalid ? 0 : info->nMin;
        s->Max = invalid ? 0 : info->nMax;
    }
    const auto span = static_cast<UINT>(s->Max - s->Min + 1);
    s->Page = std::min(s->Page, span);
    if (info->fMask & SIF_POS)
        s->Pos = info->nPos;
    s->Pos = std::clamp(s->Pos, s->Min, std::max(s->Min, LastPosition(*s)));

    if (info->fMask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) {
        // A bar with nothing to scroll is hidden (or only disabled, when asked); a new range shows it again.
        if (s->Min >= LastPosition(*s)) {
            if (!(info->fMask & SIF_DISABLENOSCROLL))
                ShowScrollBar(hwnd, bar, FALSE);
        } else if (info->fMask != SIF_PAGE) {
            if (info->fMask & SIF_RANGE)
                ShowScrollBar(hwnd, bar, TRUE);
        }
    }
    s = Bar(hwnd, bar);
    return s ? s->Pos : 0;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
    const ScrollBar *s = Bar(hwnd, bar);
    if (!s || !info)
        return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = s->Min;
        info->nMax = s->Max;
    }
    if (info->fMask & SIF_PAGE)
        info->nPage = s->Page;
    if (info->fMask & SIF_POS)
        info->nPos = s->Pos;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = s->TrackPos;
    return TRUE;
}

int GetScrollPos(HWND hwnd, int bar) {
    const ScrollBar *s = Bar(hwnd, bar);
    return s ? s->Pos : 0;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    Window *window = Find(hwnd);
    if (!window)
        return FALSE;
    DWORD bits = bar == SB_HORZ   ? WS_HSCROLL
                 : bar == SB_VERT ? WS_VSCROLL
                 : bar == SB_BOTH ? WS_HSCROLL | WS_VSCROLL
                                  : 0;
    const DWORD style = show ? window->Style | bits : window->Style & ~bits;
    if (style == window->Style)
        return TRUE;
    // The bars are part of the frame: the client area changes with them.
    window->Style = style;
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

// The system colour table of the headless platform, and the brushes of its colours.
#include "headless/GdiInspect.h"
#include "headless/GdiObjects.h"
#include "headless/WindowTable.h"

#include <array>
#include <mutex>

namespace {

constexpr int ColorCount = COLOR_MENUBAR + 1;

constexpr std::array<COLORREF, ColorCount> Defaults = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(181, 181, 181), RGB(0, 0, 200),     RGB(166, 202, 240), RGB(192, 192, 192), RGB(10, 36, 106),
    RGB(212, 208, 200)};

std::mutex lock;
std::array<COLORREF, ColorCount> colors = Defaults;
// Like stock objects: made once, never deleted, their colour kept in step with the table.
std::array<HBRUSH, ColorCount> brushes{};

bool Valid(int index) { return index >= 0 && index < ColorCount; }

// Top-level windows of the calling thread hear of the change, as on Windows.
void Broadcast() {
    for (headless::Window *window : headless::WindowTable::Instance().WindowsOf(GetCurrentThreadId()))
        if (!(window->Style & WS_CHILD))
            SendMessageA(window->Handle, WM_SYSCOLORCHANGE, 0, 0);
}

} // namespace

DWORD GetSysColor(int index) {
    std::lock_guard guard(lock);
    return Valid(index) ? colors[std::size_t(index)] : 0;
}

BOOL SetSysColors(int count, const int *indices, const COLORREF *values) {
    if (count < 0 || (count > 0 && (!indices || !values)))
        return FALSE;
    {
        std::lock_guard guard(lock);
        for (int i = 0; i < count; ++i)
            if (Valid(indices[i]))
                colors[std::size_t(indices[i])] = values[i] & 0xFFFFFF;
    }
    Broadcast();
    return TRUE;
}

HBRUSH GetSysColorBrush(int index) {
    if (!Valid(index))
        return nullptr;
    auto gdi = headless::gdi::Locked();
    std::lock_guard guard(lock);
    const auto i = std::size_t(index);
    headless::gdi::Table &table = headless::gdi::Table::Instance();
    auto *brush = table.Get<headless::gdi::Brush>(brushes[i], headless::gdi::Kind::Brush);
    if (!brush) {
        auto made = std::make_unique<headless::gdi::Brush>();
        made->Stock = true;
        brush = made.get();
        brushes[i] = static_cast<HBRUSH>(table.Add(std::move(made)));
    }
    brush->Color = colors[i];
    return brushes[i];
}

namespace headless {

void ResetSystemColors() {
    {
        std::lock_guard guard(lock);
        colors = Defaults;
    }
    Broadcast();
}

} // namespace headless

// Test inspection of the headless GDI: object counts, misuse, recorded text,
// system colours and failures on demand.
#pragma once

#include "headless/Windows.h"

#include <ostream>
#include <string>
#include <vector>

namespace headless {

struct GdiObjectCounts {
    int Pens = 0;
    int Brushes = 0;
    int Fonts = 0;
    int Bitmaps = 0;
    int Regions = 0;
    int DCs = 0;

    int Total() const { return Pens + Brushes + Fonts + Bitmaps + Regions + DCs; }
    bool operator==(const GdiObjectCounts &) const = default;
};

inline std::ostream &operator<<(std::ostream &out, const GdiObjectCounts &c) {
    return out << "{pens " << c.Pens << ", brushes " << c.Brushes << ", fonts " << c.Fonts << ", bitmaps " << c.Bitmaps
               << ", regions " << c.Regions << ", DCs " << c.DCs << "}";
}

// Objects that exist now, and objects made since the process started; stock objects are not counted.
GdiObjectCounts LiveGdiObjects();
GdiObjectCounts CreatedGdiObjects();

// Faults of the caller the GDI noticed, such as deleting an object that is still selected.
std::vector<std::string> GdiMisuses();
void ClearGdiMisuses();

// A DrawTextA, DrawTextW or ExtTextOutA call; the text is not rendered.
struct TextDraw {
    HDC DC = nullptr;
    std::string Text; // UTF-8 for DrawTextW
    // DrawText's rectangle, or ExtTextOut's clipping rectangle.
    RECT Rect{};
    // DrawText's format; 0 for ExtTextOut.
    UINT Format = 0;
    LOGFONTA Font{};
    COLORREF TextColor = 0;
    COLORREF BkColor = 0;
    int BkMode = 0;
    // Drawn by DrawTextW.
    bool Wide = false;
    // Drawn by ExtTextOutA.
    bool Positioned = false;
    // Nothing is drawn outside Rect.
    bool Clipped = false;
    // Where the first line's top-left corner lands under the fixed-pitch metrics.
    POINT Origin{};
};
std::vector<TextDraw> TextDraws();
void ClearTextDraws();

// Puts the system colour table behind GetSysColor back to its defaults, announced like SetSysColors does.
void ResetSystemColors();

// The next CreateDIBSection fails with this GetLastError code.
void FailNextCreateDIBSection(DWORD error);
// The next StretchDIBits fails.
void FailNextStretchDIBits();

} // namespace headless

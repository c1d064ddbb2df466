#include "headless/GdiInspect.h"

#include "headless/GdiObjects.h"

namespace headless {
namespace {

GdiObjectCounts CountsOf(const int (&counts)[6]) {
    using gdi::Kind;
    auto at = [&](Kind kind) { return counts[static_cast<int>(kind)]; };
    return GdiObjectCounts{at(Kind::Pen),    at(Kind::Brush),  at(Kind::Font),
                           at(Kind::Bitmap), at(Kind::Region), at(Kind::DC)};
}

} // namespace

GdiObjectCounts LiveGdiObjects() {
    auto lock = gdi::Locked();
    return CountsOf(gdi::Table::Instance().Live);
}

GdiObjectCounts CreatedGdiObjects() {
    auto lock = gdi::Locked();
    return CountsOf(gdi::Table::Instance().Created);
}

std::vector<std::string> GdiMisuses() {
    auto lock = gdi::Locked();
    return gdi::Table::Instance().Misuses;
}

void ClearGdiMisuses() {
    auto lock = gdi::Locked();
    gdi::Table::Instance().Misuses.clear();
}

void FailNextCreateDIBSection(DWORD error) {
    auto lock = gdi::Locked();
    gdi::Table::Instance().FailDIBSection = error;
}

void FailNextStretchDIBits() {
    auto lock = gdi::Locked();
    gdi::Table::Instance().FailStretchDIBits = true;
}

} // namespace headless

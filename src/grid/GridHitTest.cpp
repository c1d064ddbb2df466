// Which column, row or column border lies under a client point.
#include "grid/GridInternals.h"
#include "toolkit/objects/RectHelpers.h"

namespace {

using SizeOf = std::int32_t (*)(const XLGrid *, std::int32_t);

// Walks the shown lines from first with a running edge from start; both edges of a line count as inside it. Past
// the last line the answer is the last line when beyondIsLast (so that drags there keep a target), else -1.
std::int32_t LineAt(const XLGrid *grid, SizeOf size, std::int32_t count, std::int32_t first, std::int32_t start,
                    std::int32_t pos, bool beyondIsLast = true) {
    std::int32_t edge = start;
    for (std::int32_t i = IntMax(0, first); i < count; ++i) {
        const std::int32_t extent = size(grid, i);
        if (edge <= pos && pos <= edge + extent)
            return i;
        edge += extent;
    }
    return beyondIsLast && pos > edge ? count - 1 : -1;
}

} // namespace

std::int32_t ColAtX(const XLGrid *grid, std::int32_t x) {
    const XLGridData &data = *grid->Data;
    return LineAt(grid, &ColWidth, data.ColCount, data.LeftCol, data.RowTitleWidth, x);
}

std::int32_t RowAtY(const XLGrid *grid, std::int32_t y) {
    const XLGridData &data = *grid->Data;
    return LineAt(grid, &RowHeight, data.RowCount, data.TopRow, data.ColTitleHeight, y);
}

std::int32_t TitleColAtX(const XLGrid *grid, std::int32_t x) {
    const XLGridData &data = *grid->Data;
    return LineAt(grid, &ColWidth, data.ColCount, data.LeftCol, data.RowTitleWidth, x, false);
}

std::int32_t TitleRowAtY(const XLGrid *grid, std::int32_t y) {
    const XLGridData &data = *grid->Data;
    return LineAt(grid, &RowHeight, data.RowCount, data.TopRow, data.ColTitleHeight, y, false);
}

CellPosition CellAtPoint(const XLGrid *grid, std::int32_t x, std::int32_t y) {
    return {ColAtX(grid, x), RowAtY(grid, y)};
}

std::int32_t ColBorderAtX(const XLGrid *grid, std::int32_t x) {
    const XLGridData &data = *grid->Data;
    if (!(data.Options & GridOption::ColSizing))
        return -1;
    std::int32_t left = data.RowTitleWidth;
    for (std::int32_t c = IntMax(0, data.LeftCol); c < data.ColCount; ++c) {
        const std::int32_t w = ColWidth(grid, c);
        // Narrow columns get a narrow zone, so that their cells stay reachable.
        const std::int32_t zone = IntMin(data.ResizeGrip, w / 3);
        if (left + w - zone <= x && x <= left + w + zone)
            return c;
        left += w;
    }
    return -1;
}

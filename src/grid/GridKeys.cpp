// Keyboard navigation: moving the current cell, growing and shrinking the block with Shift, jumping to the edges
// with Ctrl, and starting an edit.
#include "grid/GridInternals.h"
#include "toolkit/objects/RectHelpers.h"

namespace {

bool IsDown(int key) { return GetKeyState(key) < 0; }

// Columns or rows, so that the arrow rules are written once.
struct Axis {
    std::int32_t GridBlock::*Lo;
    std::int32_t GridBlock::*Hi;
    std::int32_t GridBlock::*AcrossLo;
    std::int32_t GridBlock::*AcrossHi;
    IndexRange (*Widen)(const XLGrid *, std::int32_t, std::int32_t, std::int32_t);
    std::int32_t XLGridData::*Cur;
    std::int32_t XLGridData::*CurAcross;
    std::uint16_t XLGridData::*Count;
    void (*MakeVisible)(XLGrid *, std::int32_t);
    void (*SetFirst)(XLGrid *, std::int32_t);
    std::int32_t (*VisibleCount)(XLGrid *);
    bool IsCols;
};

constexpr Axis Cols{&GridBlock::Left, &GridBlock::Right,   &GridBlock::Top,     &GridBlock::Bottom,
                    &WidenColRange,   &XLGridData::CurCol, &XLGridData::CurRow, &XLGridData::ColCount,
                    &MakeColVisible,  &SetLeftCol,         &VisibleColCount,    true};
constexpr Axis Rows{&GridBlock::Top, &GridBlock::Bottom,  &GridBlock::Left,    &GridBlock::Right,
                    &WidenRowRange,  &XLGridData::CurRow, &XLGridData::CurCol, &XLGridData::RowCount,
                    &MakeRowVisible, &SetTopRow,          &VisibleRowCount,    false};

// Makes (along, across) current, along being the axis' index.
void MoveCurrent(XLGrid *grid, const Axis &a, std::int32_t along, std::int32_t across) {
    if (a.IsCols)
        SetCurrentCell(grid, along, across);
    else
        SetCurrentCell(grid, across, along);
}

// The block Shift grows or shrinks; with nothing selected, the current cell's.
GridBlock ShiftBlock(const XLGrid *grid) {
    const GridBlock s = EffectiveSelection(grid);
    if (!s.IsNone())
        return s;
    return CoveredBlock(grid, grid->Data->CurCol, grid->Data->CurRow);
}

// One step, over the merged block the current cell belongs to.
void Step(XLGrid *grid, const Axis &a, bool towardsEnd) {
    const XLGridData &data = *grid->Data;
    const std::int32_t across = data.*a.CurAcross;
    const IndexRange span = a.Widen(grid, across, across, IntMax(0, data.*a.Cur));
    const std::int32_t to = towardsEnd ? IntMin(data.*a.Count - 1, span.Hi + 1) : IntMax(0, span.Lo - 1);
    MoveCurrent(grid, a, to, across);
}

// The current cell is the block's fixed corner; the edge away from it moves out or in.
void ShiftStep(XLGrid *grid, const Axis &a, bool towardsEnd) {
    const XLGridData &data = *grid->Data;
    const GridBlock s = ShiftBlock(grid);
    const std::int32_t last = data.*a.Count - 1;
    auto widen = [&](std::int32_t i) { return a.Widen(grid, s.*a.AcrossLo, s.*a.AcrossHi, i); };
    const IndexRange current = widen(data.*a.Cur);
    GridBlock next = s;
    bool movedLo = false;
    if (!towardsEnd) {
        if (s.*a.Lo <= current.Lo && s.*a.Hi == current.Hi) {
            next.*a.Lo = IntMax(0, widen(s.*a.Lo - 1).Lo);
            movedLo = true;
        } else {
            next.*a.Hi = IntMin(last, widen(widen(s.*a.Hi).Lo - 1).Hi);
        }
    } else {
        if (s.*a.Hi >= current.Hi && s.*a.Lo == current.Lo) {
            next.*a.Hi = IntMin(last, widen(s.*a.Hi + 1).Hi);
        } else {
            next.*a.Lo = IntMax(0, widen(widen(s.*a.Lo).Hi + 1).Lo);
            movedLo = true;
        }
    }
    SetSelection(grid, next);
    a.MakeVisible(grid, movedLo ? data.Selection.*a.Lo : data.Selection.*a.Hi);
}

// Shift+Page: the edge away from the current row moves a page; the block is then put in order, since that edge
// may have passed the other one.
void ShiftPage(XLGrid *grid, bool down) {
    const XLGridData &data = *grid->Data;
    const GridBlock s = ShiftBlock(grid);
    const std::int32_t cr = data.CurRow;
    const std::int32_t page = VisibleRowCount(grid) - 1;
    GridBlock next = s;
    bool movedTop = false;
    if (!down) {
        if (s.Top <= cr && s.Bottom == cr) {
            next.Top = IntMax(0, s.Top - page);
            movedTop = true;
        } else {
            next.Bottom = IntMin(data.RowCount - 1, s.Bottom - page);
        }
    } else {
        if (s.Bottom >= cr && s.Top == cr) {
            next.Bottom = IntMin(data.RowCount - 1, s.Bottom + page);
        } else {
            next.Top = IntMax(0, s.Top + page);
            movedTop = true;
        }
    }
    SetSelection(grid, next);
    const GridBlock t = data.Selection;
    SetSelection(grid,
                 {IntMin(t.Left, t.Right), IntMin(t.Top, t.Bottom), IntMax(t.Left, t.Right), IntMax(t.Top, t.Bottom)});
    MakeRowVisible(grid, movedTop ? data.Selection.Top : data.Selection.Bottom);
}

void Page(XLGrid *grid, bool down, bool shift) {
    const XLGridData &data = *grid->Data;
    const std::int32_t page = VisibleRowCount(grid) - 1;
    if (down)
        SetTopRow(grid, IntMax(0, IntMin(data.RowCount - page - 1, data.TopRow + page)));
    else
        SetTopRow(grid, IntMax(0, data.TopRow - page));
    if (shift)
        return ShiftPage(grid, down);
    const std::int32_t newPage = VisibleRowCount(grid) - 1;
    SetCurrentCell(grid, data.CurCol,
                   down ? IntMin(data.RowCount - 1, data.CurRow + newPage) : IntMax(0, data.CurRow - newPage));
}

// To the first or last line along the axis (column of the current row, or row of the current column), or with Shift
// the block stretched there from the current cell's line.
void LineEnd(XLGrid *grid, const Axis &a, bool end, bool shift) {
    const XLGridData &data = *grid->Data;
    const std::int32_t last = data.*a.Count - 1;
    a.SetFirst(grid, end ? IntMax(0, data.*a.Count - a.VisibleCount(grid)) : 0);
    const std::int32_t current = data.*a.Cur;
    if (!shift)
        return MoveCurrent(grid, a, end ? last : 0, data.*a.CurAcross);
    GridBlock block = ShiftBlock(grid);
    block.*a.Lo = end ? current : 0;
    block.*a.Hi = end ? last : current;
    SetSelection(grid, block);
}

void GridEnd(XLGrid *grid, bool end, bool shift) {
    const XLGridData &data = *grid->Data;
    const std::int32_t cols = VisibleColCount(grid);
    const std::int32_t rows = VisibleRowCount(grid);
    SetLeftCol(grid, end ? IntMax(0, data.ColCount - cols) : 0);
    SetTopRow(grid, end ? IntMax(0, data.RowCount - rows) : 0);
    const std::int32_t cc = data.CurCol;
    const std::int32_t cr = data.CurRow;
    const std::int32_t lastCol = data.ColCount - 1;
    const std::int32_t lastRow = data.RowCount - 1;
    if (!shift)
        return SetCurrentCell(grid, end ? lastCol : 0, end ? lastRow : 0);
    SetSelection(grid, end ? GridBlock{cc, cr, lastCol, lastRow} : GridBlock{0, 0, cc, cr});
}

// One navigation key: what it does, and whether the scroll bars are brought up to date after it.
struct KeyAction {
    WPARAM Key;
    bool Ctrl;
    void (*Act)(XLGrid *grid, bool shift);
    bool UpdatesScrollBars;
};

void Arrow(XLGrid *grid, const Axis &axis, bool towardsEnd, bool shift) {
    if (shift)
        ShiftStep(grid, axis, towardsEnd);
    else
        Step(grid, axis, towardsEnd);
}

constexpr KeyAction KeyActions[] = {
    {VK_LEFT, false, [](XLGrid *g, bool shift) { Arrow(g, Cols, false, shift); }, false},
    {VK_RIGHT, false, [](XLGrid *g, bool shift) { Arrow(g, Cols, true, shift); }, false},
    {VK_UP, false, [](XLGrid *g, bool shift) { Arrow(g, Rows, false, shift); }, false},
    {VK_DOWN, false, [](XLGrid *g, bool shift) { Arrow(g, Rows, true, shift); }, false},
    {VK_PRIOR, false, [](XLGrid *g, bool shift) { Page(g, false, shift); }, true},
    {VK_NEXT, false, [](XLGrid *g, bool shift) { Page(g, true, shift); }, true},
    {VK_HOME, false, [](XLGrid *g, bool shift) { LineEnd(g, Cols, false, shift); }, true},
    {VK_END, false, [](XLGrid *g, bool shift) { LineEnd(g, Cols, true, shift); }, true},
    {VK_HOME, true, [](XLGrid *g, bool shift) { GridEnd(g, false, shift); }, true},
    {VK_END, true, [](XLGrid *g, bool shift) { GridEnd(g, true, shift); }, true},
    {VK_LEFT, true, [](XLGrid *g, bool shift) { LineEnd(g, Cols, false, shift); }, true},
    {VK_RIGHT, true, [](XLGrid *g, bool shift) { LineEnd(g, Cols, true, shift); }, true},
    {VK_UP, true, [](XLGrid *g, bool shift) { LineEnd(g, Rows, false, shift); }, true},
    {VK_DOWN, true, [](XLGrid *g, bool shift) { LineEnd(g, Rows, true, shift); }, true},
};

const KeyAction *FindKeyAction(WPARAM key, bool ctrl) {
    for (const KeyAction &action : KeyActions)
        if (action.Key == key && action.Ctrl == ctrl)
            return &action;
    return nullptr;
}

} // namespace

void HandleGridKey(XLGrid *grid, WPARAM key) {
    XLGridData &data = *grid->Data;
    if (!EndEdit(grid, true, false))
        return;
    const bool shift = (data.Options & GridOption::RangeSelect) && IsDown(VK_SHIFT);
    const bool ctrl = IsDown(VK_CONTROL);
    if (!ctrl && (key == VK_RETURN || key == VK_F2))
        return BeginEdit(grid);
    const KeyAction *action = FindKeyAction(key, ctrl);
    if (data.ColCount == 0 || data.RowCount == 0 || !action)
        return;
    const UpdateBracket bracket(grid);
    // A grid whose counts went to 0 and back has no current cell; the keys start from the first one.
    if (data.CurCol < 0 || data.CurRow < 0)
        SetCurrentCell(grid, 0, 0);
    MarkAllCells(grid, false);
    action->Act(grid, shift);
    if (action->UpdatesScrollBars)
        UpdateScrollBars(grid);
    grid->Invalidate();
}

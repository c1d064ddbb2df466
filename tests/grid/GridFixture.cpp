#include "grid/GridFixture.h"

void GridEvents::Attach(XLGrid *grid) {
    XLGridData &data = *grid->Data;
    data.OnCellChanged = {[](void *self, ObjectBase *, std::int32_t col, std::int32_t row) {
                              static_cast<GridEvents *>(self)->CellChanged.push_back({col, row});
                          },
                          this};
    data.OnSelectionChanged = {[](void *self, ObjectBase *, GridBlock &block) {
                                   static_cast<GridEvents *>(self)->SelectionChanged.push_back(block);
                               },
                               this};
    data.OnCellChanging = {[](void *self, ObjectBase *, std::int32_t, std::int32_t, std::int32_t &, std::int32_t &) {
                               ++static_cast<GridEvents *>(self)->Changing;
                           },
                           this};
    grid->OnChange = {[](void *self, ObjectBase *) { ++static_cast<GridEvents *>(self)->Change; }, this};
}

XLGrid *GridTest::MakeGrid(std::uint16_t cols, std::uint16_t rows, GridOptions options, std::uint8_t style, LONG width,
                           LONG height) {
    if (!Panel_)
        Panel_ = Stage();
    XLGrid *grid = NewXLGrid(Panel_, cols, rows, style, options);
    // Made before its visibility was decided, the window waits to be shown until its parent's next CreateWindow.
    Panel_->CreateWindow();
    SetClientSize(grid, width, height);
    return grid;
}

Control *GridTest::Stage() {
    Control *form = Form(false);
    form->SetHasBorder(false);
    form->SetBoundsRect({0, 0, 800, 600});
    // Shown without activation: under Wine, hiding or destroying the active window waits seconds for the display.
    ShowWindow(form->GetWindowHandle(), SW_SHOWNA);
    return form;
}

void GridTest::SetClientSize(XLGrid *grid, LONG width, LONG height) {
    grid->SetClientSize(width, height);
    EXPECT_EQ(grid->ClientWidth(), width);
    EXPECT_EQ(grid->ClientHeight(), height);
}

void Merge(XLGrid *grid, std::int32_t col, std::int32_t row, std::int32_t cols, std::int32_t rows) {
    Cell(grid, col, row)->ColSpan = cols;
    Cell(grid, col, row)->RowSpan = rows;
    for (std::int32_t r = row; r <= row + rows; ++r) {
        for (std::int32_t c = col; c <= col + cols; ++c) {
            Cell(grid, c, r)->MasterDX = c - col;
            Cell(grid, c, r)->MasterDY = r - row;
        }
    }
}

std::vector<std::vector<int>> Marks(const XLGrid *grid) {
    std::vector<std::vector<int>> marks;
    for (std::int32_t r = 0; r < grid->Data->RowCount; ++r) {
        marks.emplace_back();
        for (std::int32_t c = 0; c < grid->Data->ColCount; ++c)
            marks.back().push_back(Cell(grid, c, r)->SelCount);
    }
    return marks;
}

void PostKey(XLGrid *grid, WPARAM key, int modifiers) {
    SetKeyDown(VK_SHIFT, modifiers & Modifier::Shift);
    SetKeyDown(VK_CONTROL, modifiers & Modifier::Ctrl);
    PostMessageA(grid->Handle, WM_KEYDOWN, key, 1);
    ToolkitTest::Pump();
    SetKeyDown(VK_SHIFT, false);
    SetKeyDown(VK_CONTROL, false);
}

void PostMouse(XLGrid *grid, UINT msg, POINT at, WPARAM flags) {
    PostMessageA(grid->Handle, msg, flags, MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
    ToolkitTest::Pump();
}

POINT CellCentre(const XLGrid *grid, std::int32_t col, std::int32_t row) {
    const RECT r = CellRect(grid, col, row);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

::testing::AssertionResult RectIs(const RECT &r, LONG left, LONG top, LONG right, LONG bottom) {
    if (r.left == left && r.top == top && r.right == right && r.bottom == bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom
                                         << ")";
}

::testing::AssertionResult BlockIs(const GridBlock &b, std::int32_t left, std::int32_t top, std::int32_t right,
                                   std::int32_t bottom) {
    if (b == GridBlock{left, top, right, bottom})
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << b.Left << ", " << b.Top << ", " << b.Right << ", " << b.Bottom
                                         << ")";
}

// The grid font and the title font: cells share the grid font until they get their own, a change of the grid
// font resets every cell's font, and either change repaints the grid.
#include "grid/GridFixture.h"

#include <cstring>

#include "toolkit/bitmaps/Bitmap.h"
#include "toolkit/gdi/DrawingTool.h"

namespace {

using GridFonts = GridTest;

bool SameSettings(const DrawingTool *a, const DrawingTool *b) {
    return std::memcmp(&a->Settings, &b->Settings, sizeof(ToolSettings)) == 0;
}

bool Invalidated(HWND window) {
    RECT update;
    return GetUpdateRect(window, &update, FALSE) != FALSE;
}

TEST_F(GridFonts, TheGridFollowsBothFontsByTag) {
    XLGrid *grid = MakeGrid(1, 1);
    ASSERT_NE(grid->Font, nullptr);
    ASSERT_NE(grid->Data->TitleFont, nullptr);
    EXPECT_NE(grid->Data->TitleFont, grid->Font);
    EXPECT_EQ(grid->Font->Tag, 0);
    EXPECT_EQ(grid->Data->TitleFont->Tag, 1);
    EXPECT_EQ(grid->Font->OnChange.Data, grid);
    EXPECT_EQ(grid->Data->TitleFont->OnChange.Data, grid);

    for (Font *font : {grid->Font, grid->Data->TitleFont}) {
        UpdateWindow(grid->Handle);
        font->SetStyle(FontStyle::Italic);
        EXPECT_TRUE(Invalidated(grid->Handle)) << "tag " << font->Tag;
        EXPECT_EQ(grid->UpdateCount, 0);
    }
}

TEST_F(GridFonts, AGridFontChangeResetsEveryCellFont) {
    XLGrid *grid = MakeGrid(3, 2);
    XLCell *own = Cell(grid, 1, 1);
    XLCell *shared = Cell(grid, 2, 0);
    EXPECT_EQ(GetCellFont(shared), grid->Font) << "a new cell uses the grid font";
    Font *font = ChangeCellFont(own);
    EXPECT_EQ(ChangeCellFont(own), font);
    EXPECT_EQ(GetCellFont(own), font);
    EXPECT_TRUE(SameSettings(font, grid->Font)) << "made as a copy of the grid font";
    font->SetStyle(FontStyle::Bold | FontStyle::Underline);
    font->SetColor(0x0000FF);
    EXPECT_EQ(grid->Font->GetStyle(), 0);

    grid->Font->SetStyle(FontStyle::Italic);
    grid->Font->SetColor(0x00FF00);
    EXPECT_EQ(GetCellFont(own), font) << "the cell keeps its font object";
    EXPECT_TRUE(SameSettings(font, grid->Font));
    EXPECT_EQ(font->GetStyle(), FontStyle::Italic);
    EXPECT_EQ(GetCellFont(shared), grid->Font);

    // Cells made later share the grid font as it is now.
    SetRowCount(grid, 3);
    EXPECT_EQ(GetCellFont(Cell(grid, 0, 2)), grid->Font);
    // A cell that goes takes its font with it.
    SetColCount(grid, 1);
    EXPECT_EQ(grid->Data->OwnFontCells, 0);
}

TEST_F(GridFonts, TheEditorTakesACopyOfTheCellFont) {
    XLGrid *grid = MakeGrid(2, 2);
    Control *box = NewEditBox(Panel_, 0);
    grid->Data->OnBeginEdit = {[](void *box, ObjectBase *, std::int32_t, std::int32_t, Control *&editor, Control *&,
                                  EditInsets &) { editor = static_cast<Control *>(box); },
                               box};
    ChangeCellFont(Cell(grid, 0, 0))->SetStyle(FontStyle::Bold);
    BeginEdit(grid);
    ASSERT_NE(box->Font, nullptr);
    EXPECT_NE(box->Font, GetCellFont(Cell(grid, 0, 0)));
    EXPECT_TRUE(SameSettings(box->Font, GetCellFont(Cell(grid, 0, 0))));
    EndEdit(grid, false, true);
}

TEST_F(GridFonts, TheBufferIsADeviceBitmapOfTheClientSize) {
    Control *stage = Stage();
    Control *holder = Child(stage);
    holder->SetBoundsRect({0, 0, 500, 400});
    holder->GetWindowHandle();
    XLGrid *grid = NewXLGrid(holder, 0, 0, 1, 0);
    const Bitmap *buffer = grid->Data->Buffer;
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->HandleType, HandleKind::DDB);
    EXPECT_EQ(buffer->Width, grid->ClientWidth());
    EXPECT_EQ(buffer->Height, grid->ClientHeight());
    EXPECT_GT(buffer->Width, 0);
}

} // namespace

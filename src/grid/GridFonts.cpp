// The grid's fonts: the grid font (the control's, tag 0) that cells use until they get one of their own, the title
// font (tag 1), and how a change of either reaches the grid.
#include "grid/GridInternals.h"
#include "toolkit/gdi/DrawingTool.h"
#include "toolkit/windows/ControlDrawingTools.h"

namespace {

constexpr std::intptr_t GridFontTag = 0;
constexpr std::intptr_t TitleFontTag = 1;

// A change of the grid font replaces every cell's own font by a copy of it; cells without one, made or not, follow by
// sharing it.
// The handler stays on the grid font until the toolkit lets the font go, after the grid's record is gone.
void GridFontChanged(void *data, ObjectBase *sender) {
    auto *grid = static_cast<XLGrid *>(data);
    if (!grid->Data)
        return;
    const UpdateBracket bracket(grid);
    if (static_cast<DrawingTool *>(sender)->Tag != GridFontTag || grid->Data->OwnFontCells == 0)
        return;
    Font *gridFont = ControlFont(grid);
    ForEachMadeCell(grid, [gridFont](XLCell *cell) {
        if (cell->CellFont)
            DrawingTool::Assign(cell->CellFont, gridFont);
    });
}

} // namespace

void FollowFonts(XLGrid *grid) {
    Font *gridFont = ControlFont(grid);
    gridFont->Tag = GridFontTag;
    gridFont->OnChange = {&GridFontChanged, grid};
    Font *titleFont = NewFont();
    titleFont->Tag = TitleFontTag;
    titleFont->OnChange = {&GridFontChanged, grid};
    grid->Data->TitleFont = titleFont;
}

Font *GetCellFont(const XLCell *cell) { return cell->CellFont ? cell->CellFont : ControlFont(cell->Owner); }

Font *ChangeCellFont(XLCell *cell) {
    if (!cell->CellFont) {
        Font *gridFont = ControlFont(cell->Owner);
        auto *font = static_cast<Font *>(DrawingTool::Assign(nullptr, gridFont));
        // While the two are equal they share one GDI font.
        font->SetParentTool(gridFont);
        cell->CellFont = font;
        ++cell->Owner->Data->OwnFontCells;
    }
    return cell->CellFont;
}

void ReleaseCellFont(XLCell *cell) {
    if (!cell->CellFont)
        return;
    FreeAndClear(cell->CellFont);
    --cell->Owner->Data->OwnFontCells;
}

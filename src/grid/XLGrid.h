// The cell grid: the grid control, its record, its cells and the operations its owner and its own input handling
// use. Positions are 0-based, column first; -1 means none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "grid/CellStore.h"
#include "grid/CellText.h"
#include "toolkit/objects/EventSlot.h"
#include "toolkit/windows/Control.h"

class Bitmap;
class Canvas;
class Font;
class PtrList;
class StringList;
struct XLCell;
struct XLGridData;

using GridOptions = std::uint8_t;
namespace GridOption {
constexpr GridOptions RangeSelect = 0x01;
constexpr GridOptions ColSelect = 0x02;
constexpr GridOptions RowSelect = 0x04;
constexpr GridOptions SelectCurrent = 0x08;
constexpr GridOptions ColSizing = 0x10;
} // namespace GridOption

using GridState = std::uint8_t;
namespace GridStateFlag {
constexpr GridState AllSelected = 0x01;
constexpr GridState TitlePressed = 0x02;
} // namespace GridStateFlag

enum class HAlign : std::uint8_t { Left = 0, Right = 1, Center = 2 };
enum class VAlign : std::uint8_t { Top = 0, Bottom = 1, Center = 2 };

// A block of cells, both corners included; all four -1 is no block.
struct GridBlock {
    std::int32_t Left = -1;
    std::int32_t Top = -1;
    std::int32_t Right = -1;
    std::int32_t Bottom = -1;

    bool IsNone() const { return Left == -1 && Top == -1 && Right == -1 && Bottom == -1; }
    friend bool operator==(const GridBlock &, const GridBlock &) = default;
};

struct CellPosition {
    std::int32_t Col = -1;
    std::int32_t Row = -1;
    friend bool operator==(const CellPosition &, const CellPosition &) = default;
};

// A range of columns or rows, both ends included.
struct IndexRange {
    std::int32_t Lo = 0;
    std::int32_t Hi = 0;
    friend bool operator==(const IndexRange &, const IndexRange &) = default;
};

// By how much an editor is laid inside the cell it edits.
struct EditInsets {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

struct CellBorder {
    std::uint32_t LineColor = 0;
    // 0 or less draws nothing.
    std::int32_t LineWidth = 0;
};

// What a new cell takes from its grid: the grid's colour and its cell defaults.
struct CellLook {
    std::uint32_t CellColor = 0;
    std::uint32_t BorderColor = 0;
    std::int32_t BorderLeft = 0;
    std::int32_t BorderTop = 0;
    std::int32_t BorderRight = 0;
    std::int32_t BorderBottom = 0;
    std::int32_t MarginLeft = 0;
    std::int32_t MarginTop = 0;
    std::int32_t MarginRight = 0;
    std::int32_t MarginBottom = 0;
    ::HAlign HAlign = ::HAlign::Left;
    ::VAlign VAlign = ::VAlign::Top;
    bool WordWrap = false;
    friend bool operator==(const CellLook &, const CellLook &) = default;
};

// The grid's events; the sender is always the grid.
using BeginEditEvent = Event<std::int32_t, std::int32_t, Control *&, Control *&, EditInsets &>;
using EndEditEvent = Event<std::int32_t, std::int32_t, Control *, Control *, std::string &, bool, bool &>;
using CellChangedEvent = Event<std::int32_t, std::int32_t>;
using CellChangingEvent = Event<std::int32_t, std::int32_t, std::int32_t &, std::int32_t &>;
using SelectionChangedEvent = Event<GridBlock &>;
using ColResizedEvent = Event<bool, std::int32_t, std::int32_t>;
using TitleClickEvent = Event<bool, std::int32_t>;
using DrawCellEvent = Event<std::int32_t, std::int32_t, XLCell *, Canvas *, RECT &, bool, bool, bool &>;

// The grid control: a toolkit control ("vornGrid") with its update counter and its record.
class XLGrid : public Control {
public:
    // Tears the record down, then the control.
    void Destroy() override;

    // Open update brackets; the grid paints only while it is 0.
    std::int32_t UpdateCount = 0;
    XLGridData *Data = nullptr;

protected:
    ~XLGrid() override = default;
};

struct XLGridData {
    XLGrid *Owner = nullptr;
    std::uint16_t ColCount = 0;
    std::uint16_t RowCount = 0;
    std::int32_t DefRowHeight = 20;
    std::int32_t DefColWidth = 70;
    std::int32_t TopRow = 0;
    std::int32_t LeftCol = 0;
    // Widths and heights are kept as integers in the pointer slots.
    PtrList *ColWidths = nullptr;
    PtrList *RowHeights = nullptr;
    // One PtrList of XLCell pointers per row.
    PtrList *Rows = nullptr;
    GridBlock Selection;
    std::int32_t CurCol = 0;
    std::int32_t CurRow = 0;
    std::int32_t AnchorCol = -1;
    std::int32_t AnchorRow = -1;
    std::uint32_t SelColor = 0x8000000D;
    std::uint32_t SelTextColor = 0x8000000E;
    std::uint32_t SelFrameColor = 0x8000000E;
    std::int32_t RowDragFrom = -1;
    std::int32_t ColDragFrom = -1;
    std::int32_t RowDragTo = 0;
    std::int32_t ColDragTo = 0;
    std::int32_t ResizeCol = -1;
    std::int32_t ResizeWidth = -1;
    std::int32_t ResizeStartX = 0;
    std::int32_t ResizeGrip = 1;
    HCURSOR SavedCursor = nullptr;
    bool CursorSwapped = false;
    HCURSOR ResizeCursor = nullptr;
    std::int32_t RowTitleWidth = 30;
    std::int32_t ColTitleHeight = 20;
    std::int32_t PressedRowTitle = -1;
    std::int32_t PressedColTitle = -1;
    std::uint32_t TitleColor = 0x8000000F;
    Font *TitleFont = nullptr;
    StringList *ColTitles = nullptr;
    StringList *RowTitles = nullptr;
    std::uint32_t DefBorderColor = 0x80000010;
    std::int32_t DefBorderLeft = 1;
    std::int32_t DefBorderTop = 1;
    std::int32_t DefBorderRight = 1;
    std::int32_t DefBorderBottom = 1;
    std::int32_t DefMarginLeft = 1;
    std::int32_t DefMarginTop = 1;
    std::int32_t DefMarginRight = 1;
    std::int32_t DefMarginBottom = 1;
    ::HAlign DefHAlign = ::HAlign::Left;
    ::VAlign DefVAlign = ::VAlign::Center;
    bool DefWordWrap = false;
    GridOptions Options = 0;
    std::uint8_t SelectionStyle = 1;
    GridState State = 0;
    Bitmap *Buffer = nullptr;
    // The owner's, supplied through OnBeginEdit; the grid holds a reference while the edit is open.
    Control *Editor = nullptr;
    Control *EditControl = nullptr;
    bool HookEditor = true;
    BeginEditEvent OnBeginEdit;
    EndEditEvent OnEndEdit;
    CellChangedEvent OnCellChanged;
    CellChangingEvent OnCellChanging;
    SelectionChangedEvent OnSelectionChanged;
    ColResizedEvent OnColResized;
    TitleClickEvent OnTitleClick;
    DrawCellEvent OnDrawCell;
    DrawCellEvent OnDrawTitle;

    // The cell being edited: the current cell when the edit began; -1 once a count change destroyed it, so that
    // the edit's text never lands in another cell.
    std::int32_t EditCol = -1;
    std::int32_t EditRow = -1;
    // An EndEdit is running: calls it causes (the editor losing the focus as it is hidden, handlers) do nothing.
    bool EndingEdit = false;
    // Where the cells' records live.
    CellStore Cells;
    // The looks that rows' cells not made yet take when made (GridRow::Look); emptied with the rows.
    std::vector<CellLook> Looks;
    // Cells that have a font of their own; a change of the grid font walks the cells only when there are some.
    std::int32_t OwnFontCells = 0;
    // The block a cell drag last asked for, before widening over merged cells: a move that asks for the same block
    // changes nothing, even when the selection was widened.
    GridBlock DragBlock;
    // Holds every cell whose SelCount the grid may have raised; unmarking everything then visits only these, not
    // every cell of a large result on each key press or click.
    GridBlock MarkedExtent;
};

// One cell. Borders are held by value, and CellFont stays null while the cell uses the grid font, so that an
// empty cell is small; GetCellFont and ChangeCellFont reach its font.
struct XLCell {
    CellText Text;
    CellBorder BorderLeft;
    CellBorder BorderTop;
    CellBorder BorderBottom;
    CellBorder BorderRight;
    Font *CellFont = nullptr;
    std::int32_t MarginLeft = 0;
    std::int32_t MarginTop = 0;
    std::int32_t MarginRight = 0;
    std::int32_t MarginBottom = 0;
    ::HAlign HAlign = ::HAlign::Left;
    ::VAlign VAlign = ::VAlign::Top;
    bool WordWrap = false;
    // Beside the other one-byte fields, where it fills what would be padding.
    bool Visible = true;
    std::uint32_t CellColor = 0;
    XLGrid *Owner = nullptr;
    std::int32_t ColSpan = 0;
    std::int32_t RowSpan = 0;
    std::int32_t MasterDX = 0;
    std::int32_t MasterDY = 0;
    std::int32_t SelCount = 0;
};

// Construction and properties.
// The counts follow the lists as far as they could be made: a failed allocation (or the result budget) leaves the
// grid with every row it could make, or its columns as they were, consistent and usable, and the exception goes on.
XLGrid *NewXLGrid(Control *parent, std::uint16_t cols, std::uint16_t rows, std::uint8_t selectionStyle,
                  GridOptions options);
void SetColCount(XLGrid *grid, std::uint16_t n);
void SetRowCount(XLGrid *grid, std::uint16_t n);
std::uint16_t ColCount(const XLGrid *grid);
std::uint16_t RowCount(const XLGrid *grid);
// Texts beyond the last column are ignored; columns beyond the last text keep their titles.
void SetColTitles(XLGrid *grid, std::span<const std::string> titles);
void SetOptions(XLGrid *grid, GridOptions options);
void SetSelectionStyle(XLGrid *grid, std::uint8_t style);
CellPosition GetCurrentCell(const XLGrid *grid);
// Clamps the cell into the grid, scrolls it into view and reports it; nothing on a grid without cells.
void SetCurrentCell(XLGrid *grid, std::int32_t col, std::int32_t row);
// Paints the whole grid into Buffer, then copies it to dc in one transfer.
void PaintGrid(XLGrid *grid, HDC dc);
// The grid's message procedure, attached to the control by NewXLGrid.
bool HandleGridMessage(Control *control, WindowMessage &message, LRESULT &result);

// The model.
// What the result budget is charged for a new row of cols cells, beside the cells themselves (CellStore::CellCost).
std::size_t NewRowCost(std::uint16_t cols);
XLCell *Cell(const XLGrid *grid, std::int32_t col, std::int32_t row);
// 0 outside the grid.
std::int32_t ColWidth(const XLGrid *grid, std::int32_t col);
std::int32_t RowHeight(const XLGrid *grid, std::int32_t row);
bool IsCellSelected(const XLGrid *grid, std::int32_t col, std::int32_t row);
void BeginUpdate(XLGrid *grid);
// Invalidates the grid when the outermost bracket closes; an unmatched call keeps the count at 0.
void EndUpdate(XLGrid *grid);

// BeginUpdate now, EndUpdate when the scope is left, also by an exception; nothing for no grid.
class UpdateBracket {
public:
    explicit UpdateBracket(XLGrid *grid) : Grid(grid) {
        if (Grid)
            BeginUpdate(Grid);
    }
    ~UpdateBracket() {
        if (Grid)
            EndUpdate(Grid);
    }
    UpdateBracket(const UpdateBracket &) = delete;
    UpdateBracket &operator=(const UpdateBracket &) = delete;

private:
    XLGrid *Grid;
};
void SetText(XLCell *cell, std::string_view text);
// What a caller knows of the texts it hands over: that none holds a zero byte spares looking for one in each.
enum class ZeroBytes : std::uint8_t { Possible, None };
// texts[i] into the row's cell i, as SetText would one by one: texts beyond the last column are ignored, and nothing
// happens outside the grid. A failure leaves the cell it stopped at and the ones after it as they were.
void SetRowTexts(XLGrid *grid, std::int32_t row, std::span<const std::string_view> texts,
                 ZeroBytes zeros = ZeroBytes::Possible);
void SetCellColor(XLCell *cell, std::uint32_t color);
void SetHAlign(XLCell *cell, ::HAlign value);
void SetVAlign(XLCell *cell, ::VAlign value);
void SetWordWrap(XLCell *cell, bool value);
// The font a cell is painted with: its own, or the grid font while it has none.
Font *GetCellFont(const XLCell *cell);
// The cell's own font, made from the grid font on first use, for the owner to change.
Font *ChangeCellFont(XLCell *cell);

// Selection.
GridBlock EffectiveSelection(const XLGrid *grid);
IndexRange WidenColRange(const XLGrid *grid, std::int32_t rowFrom, std::int32_t rowTo, std::int32_t col);
IndexRange WidenRowRange(const XLGrid *grid, std::int32_t colFrom, std::int32_t colTo, std::int32_t row);
// Replaces the selection, widened over merged cells, keeping the cells' SelCount in step; raises
// OnSelectionChanged. Nothing on a grid without cells.
void SetSelection(XLGrid *grid, const GridBlock &block);
void MarkAllCells(XLGrid *grid, bool flag);

// Geometry and scrolling, in the grid window's client coordinates.
RECT CellRect(const XLGrid *grid, std::int32_t col, std::int32_t row);
std::int32_t VisibleColCount(XLGrid *grid);
std::int32_t VisibleRowCount(XLGrid *grid);
std::int32_t TopRow(const XLGrid *grid);
std::int32_t LeftCol(const XLGrid *grid);
void SetTopRow(XLGrid *grid, std::int32_t row);
void SetLeftCol(XLGrid *grid, std::int32_t col);
// Ends any edit (accepted, forced) and sets both scroll bars from the counts, first shown row and column, and the
// visible counts.
void UpdateScrollBars(XLGrid *grid);
// Scroll so that the column (row) is shown: as the first one, or as far towards it as the last full page allows.
void MakeColVisible(XLGrid *grid, std::int32_t col);
void MakeRowVisible(XLGrid *grid, std::int32_t row);
// The first shown line after one scroll-bar request, never below 0.
std::int32_t ApplyScrollRequest(WORD code, std::int32_t thumb, std::int32_t count, std::int32_t first,
                                std::int32_t visible);

// Hit tests in client coordinates: the column or row under the point (the left or upper one on a shared edge), -1
// before the first shown one, the last one beyond the last.
std::int32_t ColAtX(const XLGrid *grid, std::int32_t x);
std::int32_t RowAtY(const XLGrid *grid, std::int32_t y);
// The position under the point, not its covering cell.
CellPosition CellAtPoint(const XLGrid *grid, std::int32_t x, std::int32_t y);
// The column whose right border's grab zone holds x; -1 without ColSizing.
std::int32_t ColBorderAtX(const XLGrid *grid, std::int32_t x);
// Stores the width, ends any resize and raises OnColResized.
void SetColWidth(XLGrid *grid, std::int32_t col, std::int32_t width);

// In-place editing.
void BeginEdit(XLGrid *grid);
// False when the owner's OnEndEdit refused; the edit then stays open unless forced.
bool EndEdit(XLGrid *grid, bool accept, bool forced);

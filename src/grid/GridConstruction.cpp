// Making a grid and tearing its record down with the control.
#include "grid/GridInternals.h"
#include "toolkit/bitmaps/Bitmap.h"
#include "toolkit/gdi/DrawingTool.h"
#include "toolkit/objects/StringList.h"

namespace {

constexpr DWORD GridWindowStyle = 0x56B10000; // child, visible, clip siblings and children, border, both bars, tab stop
constexpr UINT GridClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
constexpr std::uint32_t WindowColor = 0x80000005;
constexpr WORD ResizeCursorId = 32765;

Control *MakeGridObject() { return NewObject<XLGrid>(); }

// The grid's large lists grow by a quarter of their length rather than by NewPtrList's fixed step.
PtrList *NewGrowingList() {
    PtrList *list = NewPtrList();
    list->AddBy = 0;
    return list;
}

// Frees in this order: Buffer, TitleFont, the title lists, the size lists, ResizeCursor, Rows (emptied before),
// then the record itself.
void FreeRecord(XLGridData *data) {
    FreeAndClear(data->Buffer);
    FreeAndClear(data->TitleFont);
    FreeAndClear(data->ColTitles);
    FreeAndClear(data->RowTitles);
    FreeAndClear(data->ColWidths);
    FreeAndClear(data->RowHeights);
    if (data->ResizeCursor)
        DestroyCursor(data->ResizeCursor);
    FreeAndClear(data->Rows);
    delete data;
}

// The lists are made before the record joins the grid, so a grid's teardown always finds them.
void MakeRecord(XLGrid *grid) {
    auto *data = new XLGridData;
    data->Owner = grid;
    try {
        data->ColWidths = NewGrowingList();
        data->RowHeights = NewGrowingList();
        data->Rows = NewGrowingList();
        data->ColTitles = NewStringList();
        data->RowTitles = NewStringList();
    } catch (...) {
        FreeRecord(data);
        throw;
    }
    grid->Data = data;
    grid->SetColor(WindowColor);
    FollowFonts(grid);
    data->ResizeCursor = LoadCursorA(ModuleInstance(), MAKEINTRESOURCEA(ResizeCursorId));
    data->Buffer = NewDDBitmap(grid->ClientWidth(), grid->ClientHeight());
}

} // namespace

XLGrid *NewXLGrid(Control *parent, std::uint16_t cols, std::uint16_t rows, std::uint8_t selectionStyle,
                  GridOptions options) {
    auto *grid =
        static_cast<XLGrid *>(NewCommonControl(parent, "vornGrid", GridWindowStyle, true, nullptr, &MakeGridObject));
    grid->SetClassStyle(GridClassStyle);
    MakeRecord(grid);
    SetColCount(grid, cols);
    SetRowCount(grid, rows);
    SetOptions(grid, options);
    SetSelectionStyle(grid, selectionStyle);
    grid->Data->Selection = {};
    grid->Data->CurCol = 0;
    grid->Data->CurRow = 0;
    SetCurrentCell(grid, 0, 0);
    grid->AttachProc(&HandleGridMessage);
    return grid;
}

void XLGrid::Destroy() {
    if (XLGridData *data = Data) {
        EndEdit(this, true, true);
        DropEdit(this);
        SetRowCount(this, 0);
        Data = nullptr;
        FreeRecord(data);
    }
    Control::Destroy();
}

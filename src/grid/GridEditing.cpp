// In-place editing of the current cell with an editor the owner supplies through OnBeginEdit.
#include <string>

#include "grid/GridInternals.h"
#include "toolkit/gdi/DrawingTool.h"
#include "toolkit/objects/RectHelpers.h"
#include "toolkit/windows/ControlDrawingTools.h"

namespace {

// GetWindowTextA reads at most this many bytes, the terminating zero included.
constexpr int EditTextBuffer = 1024;

bool HasOwnVisibleWindow(const Control *control) {
    const HWND window = control->Handle;
    return window && IsWindow(window) && (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE);
}

std::string WindowText(HWND window) {
    char text[EditTextBuffer] = {};
    GetWindowTextA(window, text, EditTextBuffer);
    return text;
}

void EditControlLeave(void *data, ObjectBase *) { EndEdit(static_cast<XLGrid *>(data), true, false); }

void EditControlKeyDown(void *data, ObjectBase *, WPARAM &key, std::uint32_t) {
    auto *grid = static_cast<XLGrid *>(data);
    bool ended;
    if (key == VK_RETURN || key == VK_F2)
        ended = EndEdit(grid, true, false);
    else if (key == VK_ESCAPE)
        ended = EndEdit(grid, false, false);
    else
        return;
    if (ended && grid->Handle)
        SetFocus(grid->Handle);
}

// Closes the open edit without reading it. The record lets go of the editor before it is hidden, since hiding may
// move the focus and so call EndEdit again. The grid's handlers come off the edit control (it may outlive the grid),
// and the editor's window goes back to its control's parent window, so that it does not go down with the grid's.
void CloseEdit(XLGridData &data) {
    Control *editor = data.Editor;
    Control *editControl = data.EditControl;
    data.Editor = nullptr;
    data.EditControl = nullptr;
    data.EditCol = data.EditRow = -1;
    if (editControl->OnLeave.Handler == &EditControlLeave)
        editControl->OnLeave.Clear();
    if (editControl->OnKeyDown.Handler == &EditControlKeyDown)
        editControl->OnKeyDown.Clear();
    editor->SetVisible(false);
    if (editor->Handle && IsWindow(editor->Handle) && editor->Parent && editor->Parent->Handle)
        ::SetParent(editor->Handle, editor->Parent->Handle);
    ObjectBase::Free(editControl);
    ObjectBase::Free(editor);
}

// Clears EndingEdit however EndEdit is left.
class EndingEditFlag {
public:
    explicit EndingEditFlag(XLGridData &data) : Data(data) { Data.EndingEdit = true; }
    ~EndingEditFlag() { Data.EndingEdit = false; }
    EndingEditFlag(const EndingEditFlag &) = delete;
    EndingEditFlag &operator=(const EndingEditFlag &) = delete;

private:
    XLGridData &Data;
};

} // namespace

void BeginEdit(XLGrid *grid) {
    XLGridData &data = *grid->Data;
    if (data.Editor || data.EndingEdit)
        return;
    if (data.ColCount == 0 || data.RowCount == 0 || data.CurCol == -1 || data.CurRow == -1)
        return;
    XLCell *cell = Cell(grid, data.CurCol, data.CurRow);
    if (!cell)
        return;
    EditInsets insets;
    data.OnBeginEdit(grid, data.CurCol, data.CurRow, data.Editor, data.EditControl, insets);
    if (!data.Editor) {
        data.EditControl = nullptr;
        return;
    }
    if (!data.EditControl)
        data.EditControl = data.Editor;
    // Held while the edit is open, so an owner that frees its editor meanwhile leaves no dangling reference.
    data.Editor->AddRef();
    data.EditControl->AddRef();
    data.EditCol = data.CurCol;
    data.EditRow = data.CurRow;
    Control *editor = data.Editor;
    Control *editControl = data.EditControl;

    DrawingTool::Assign(ControlFont(editControl), GetCellFont(cell));
    if (const HWND editorWindow = editor->GetWindowHandle(); editorWindow && grid->Handle)
        ::SetParent(editorWindow, grid->Handle);
    const RECT r = CellRect(grid, data.CurCol, data.CurRow);
    editor->SetBoundsRect(
        MakeRect(r.left + insets.Left, r.top + insets.Top, r.right - insets.Right, r.bottom - insets.Bottom));
    const HWND editWindow = editControl->GetWindowHandle();
    if (editWindow)
        SetWindowTextA(editWindow, cell->Text.CStr());
    editor->SetVisible(true);
    if (editWindow)
        SetFocus(editWindow);
    // Whatever the owner had in these two slots is replaced; closing the edit empties them again.
    if (data.HookEditor) {
        editControl->OnLeave = {&EditControlLeave, grid};
        editControl->SetOnKeyDown({&EditControlKeyDown, grid});
    }
}

bool EndEdit(XLGrid *grid, bool accept, bool forced) {
    XLGridData &data = *grid->Data;
    // Ending an edit can call back into here (the edit control losing the focus as it is hidden, the owner's
    // handlers); those calls find the edit being closed and leave it to the running one.
    if (!data.Editor || data.EndingEdit)
        return true;
    Control *editor = data.Editor;
    Control *editControl = data.EditControl;
    const EndingEditFlag ending(data);
    if (!HasOwnVisibleWindow(editor)) {
        CloseEdit(data);
        return true;
    }
    const HWND focus = GetFocus();
    if (focus && focus != editControl->Handle && editor->Handle && IsChild(editor->Handle, focus))
        return true;

    std::string text = WindowText(editControl->Handle);
    bool allow = true;
    data.OnEndEdit(grid, data.EditCol, data.EditRow, editor, editControl, text, accept, allow);
    if (!allow && !forced)
        return false;
    if (accept && allow) {
        if (XLCell *cell = Cell(grid, data.EditCol, data.EditRow)) {
            const bool changed = !(cell->Text == text);
            SetText(cell, text);
            if (changed)
                grid->OnChange(grid);
        }
    }
    CloseEdit(data);
    return allow;
}

void DropEdit(XLGrid *grid) {
    XLGridData &data = *grid->Data;
    if (!data.Editor)
        return;
    const EndingEditFlag ending(data);
    CloseEdit(data);
}

// In-place editing with an edit box the owner supplies: opening over the cell, ending with Enter or Esc, an owner
// that refuses, forced ends, compound editors, and ends that call back into the grid.
#include "grid/GridFixture.h"

#include <string>

namespace {

// The owner's side: supplies an edit box (or a container with one) and watches OnEndEdit.
struct EditOwner {
    Control *Editor = nullptr;
    Control *EditControl = nullptr;
    EditInsets Insets{2, 1, 3, 4};
    bool Refuse = false;
    // Moved to while OnEndEdit runs, as an owner showing a message would.
    HWND FocusDuringEnd = nullptr;
    int EndEdits = 0;
    std::string SeenText;
    bool SeenAccept = false;

    void Attach(XLGrid *grid) {
        grid->Data->OnBeginEdit = {[](void *self, ObjectBase *, std::int32_t, std::int32_t, Control *&editor,
                                      Control *&editControl, EditInsets &insets) {
                                       auto *owner = static_cast<EditOwner *>(self);
                                       editor = owner->Editor;
                                       editControl = owner->EditControl;
                                       insets = owner->Insets;
                                   },
                                   this};
        grid->Data->OnEndEdit = {[](void *self, ObjectBase *, std::int32_t, std::int32_t, Control *, Control *,
                                    std::string &text, bool accept, bool &allow) {
                                     auto *owner = static_cast<EditOwner *>(self);
                                     ++owner->EndEdits;
                                     owner->SeenText = text;
                                     owner->SeenAccept = accept;
                                     if (owner->Refuse)
                                         allow = false;
                                     if (owner->FocusDuringEnd)
                                         SetFocus(owner->FocusDuringEnd);
                                 },
                                 this};
    }
};

class GridEditing : public GridTest {
protected:
    // A 3 x 3 grid whose current cell (1, 1) holds "old", and an owner with an edit box.
    void SetUp() override {
        GridTest::SetUp();
        Grid = MakeGrid(3, 3);
        Box = NewEditBox(Panel_, 0);
        Owner.Editor = Box;
        Owner.Attach(Grid);
        Events.Attach(Grid);
        SetText(Cell(Grid, 1, 1), "old");
        SetCurrentCell(Grid, 1, 1);
        Events.Clear();
    }

    void Type(const char *text) { SetWindowTextA(Box->Handle, text); }
    void Press(WPARAM key) { SendMessageA(Box->Handle, WM_KEYDOWN, key, 0); }
    bool Open() const { return Grid->Data->Editor != nullptr; }
    bool BoxShown() const { return (GetWindowLongA(Box->Handle, GWL_STYLE) & WS_VISIBLE) != 0; }

    XLGrid *Grid = nullptr;
    Control *Box = nullptr;
    EditOwner Owner;
    GridEvents Events;
};

TEST_F(GridEditing, TheOwnersBoxIsLaidOverTheCurrentCell) {
    BeginEdit(Grid);
    ASSERT_TRUE(Open());
    EXPECT_EQ(Grid->Data->EditControl, Box) << "a plain box is its own edit control";
    EXPECT_EQ(GetParent(Box->Handle), Grid->Handle);
    RECT bounds;
    GetWindowRect(Box->Handle, &bounds);
    MapWindowPoints(nullptr, Grid->Handle, reinterpret_cast<POINT *>(&bounds), 2);
    const RECT cell = CellRect(Grid, 1, 1);
    EXPECT_TRUE(RectIs(bounds, cell.left + 2, cell.top + 1, cell.right - 3, cell.bottom - 4));
    EXPECT_EQ(TextOf(Box->Handle), "old");
    EXPECT_TRUE(BoxShown());
    EXPECT_EQ(GetFocus(), Box->Handle);

    BeginEdit(Grid);
    EXPECT_EQ(Grid->Data->Editor, Box) << "a second begin leaves the open edit alone";
}

TEST_F(GridEditing, EnterStoresTheTextAndReportsOneChange) {
    BeginEdit(Grid);
    Type("new");
    Press(VK_RETURN);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Owner.EndEdits, 1);
    EXPECT_EQ(Owner.SeenText, "new");
    EXPECT_TRUE(Owner.SeenAccept);
    EXPECT_EQ(Cell(Grid, 1, 1)->Text.View(), "new");
    EXPECT_EQ(Events.Change, 1);
    EXPECT_FALSE(BoxShown());
    EXPECT_EQ(GetFocus(), Grid->Handle);

    // The same text again is stored without a change.
    BeginEdit(Grid);
    Press(VK_F2);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Owner.EndEdits, 2);
    EXPECT_EQ(Events.Change, 1);
    Press('A');
    EXPECT_EQ(Owner.EndEdits, 2) << "other keys are the box's own";
}

TEST_F(GridEditing, EscapeKeepsTheOldText) {
    BeginEdit(Grid);
    Type("discarded");
    Press(VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_FALSE(Owner.SeenAccept);
    EXPECT_EQ(Cell(Grid, 1, 1)->Text.View(), "old");
    EXPECT_EQ(Events.Change, 0);
    EXPECT_FALSE(BoxShown());
    EXPECT_EQ(GetFocus(), Grid->Handle);
}

TEST_F(GridEditing, ARefusingOwnerKeepsTheEditOpenUnlessTheEndIsForced) {
    Owner.Refuse = true;
    BeginEdit(Grid);
    Type("kept");
    Press(VK_RETURN);
    EXPECT_TRUE(Open());
    EXPECT_TRUE(BoxShown());
    EXPECT_EQ(TextOf(Box->Handle), "kept");
    EXPECT_EQ(GetFocus(), Box->Handle);
    EXPECT_FALSE(EndEdit(Grid, true, false));
    EXPECT_EQ(Cell(Grid, 1, 1)->Text.View(), "old");

    // Scrolling ends every edit: closed, but the refused text is not stored.
    SetTopRow(Grid, 1);
    EXPECT_FALSE(Open());
    EXPECT_FALSE(BoxShown());
    EXPECT_EQ(Cell(Grid, 1, 1)->Text.View(), "old");
    EXPECT_EQ(Events.Change, 0);

    Owner.Refuse = false;
    BeginEdit(Grid);
    Type("scrolled");
    SetTopRow(Grid, 0);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Cell(Grid, 1, 1)->Text.View(), "scrolled") << "a forced end that is allowed stores";
}

// The owner's handler moves the focus away from the box while the edit ends; the box's focus loss calls EndEdit
// again, which must not repeat the end.
TEST_F(GridEditing, CallsBackIntoAnEndingEditDoNotRepeatIt) {
    Owner.FocusDuringEnd = Grid->Handle;
    BeginEdit(Grid);
    Type("once");
    Press(VK_RETURN);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Owner.EndEdits, 1);
    EXPECT_EQ(Events.Change, 1);
    EXPECT_EQ(Cell(Grid, 1, 1)->Text.View(), "once");

    // Losing the focus to another window ends the edit, accepted.
    Owner.FocusDuringEnd = nullptr;
    BeginEdit(Grid);
    Type("left");
    SetFocus(Grid->Handle);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Owner.EndEdits, 2);
    EXPECT_EQ(Cell(Grid, 1, 1)->Text.View(), "left");
    EXPECT_EQ(Events.Change, 2);
}

TEST_F(GridEditing, FocusOnAnotherPartOfACompoundEditorKeepsTheEditOpen) {
    Control *container = Child(Panel_);
    Control *edit = NewEditBox(container, 0);
    Control *button = NewButton(container, "...");
    button->SetLeft(70);
    Owner.Editor = container;
    Owner.EditControl = edit;
    BeginEdit(Grid);
    ASSERT_TRUE(Open());
    EXPECT_EQ(GetFocus(), edit->Handle);
    EXPECT_EQ(TextOf(edit->Handle), "old");
    SetFocus(button->Handle);
    EXPECT_TRUE(Open()) << "the edit control's focus loss did not end it";
    EXPECT_TRUE(EndEdit(Grid, true, false));
    EXPECT_TRUE(Open());

    SetWindowTextA(edit->Handle, "compound");
    SetFocus(edit->Handle);
    SendMessageA(edit->Handle, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Cell(Grid, 1, 1)->Text.View(), "compound");
}

// The text goes to the cell that was edited, never to another one that has become current meanwhile.
TEST_F(GridEditing, TheTextGoesToTheEditedCellOnly) {
    Owner.Refuse = true;
    BeginEdit(Grid);
    Type("moved");
    SetCurrentCell(Grid, 2, 2); // the refused end does not stop the move
    EXPECT_TRUE(Open());
    Owner.Refuse = false;
    EXPECT_TRUE(EndEdit(Grid, true, false));
    EXPECT_EQ(Cell(Grid, 1, 1)->Text.View(), "moved");
    EXPECT_TRUE(Cell(Grid, 2, 2)->Text.Empty());

    // A count change that destroys the edited cell drops the text with it.
    SetCurrentCell(Grid, 2, 1);
    BeginEdit(Grid);
    Type("gone");
    SetColCount(Grid, 2);
    EXPECT_FALSE(Open());
    EXPECT_EQ(GetCurrentCell(Grid), (CellPosition{1, 1}));
    EXPECT_EQ(Cell(Grid, 1, 1)->Text.View(), "moved");
    EXPECT_EQ(Events.Change, 1);
}

TEST_F(GridEditing, NoEditorNoEdit) {
    Owner.Editor = nullptr;
    Owner.EditControl = Box;
    BeginEdit(Grid);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Grid->Data->EditControl, nullptr);
    EXPECT_TRUE(EndEdit(Grid, true, false));
    EXPECT_EQ(Owner.EndEdits, 0);

    Owner.Editor = Box;
    SetColCount(Grid, 0);
    BeginEdit(Grid);
    EXPECT_FALSE(Open()) << "no current cell";
}

TEST_F(GridEditing, AnEditorHiddenMeanwhileIsForgottenUnread) {
    BeginEdit(Grid);
    Type("unread");
    Box->SetVisible(false);
    EXPECT_TRUE(EndEdit(Grid, true, false));
    EXPECT_FALSE(Open());
    EXPECT_EQ(Owner.EndEdits, 0);
    EXPECT_EQ(Cell(Grid, 1, 1)->Text.View(), "old");
}

TEST_F(GridEditing, AnOpenEditEndsAcceptedWhenTheGridGoes) {
    BeginEdit(Grid);
    Type("last");
    Owner.Refuse = true;
    ObjectBase::Free(Grid);
    Grid = nullptr;
    EXPECT_EQ(Owner.EndEdits, 1);
    EXPECT_TRUE(Owner.SeenAccept);
    EXPECT_EQ(Owner.SeenText, "last");
    EXPECT_FALSE(BoxShown());
    // The box outlives the grid, back on its own parent and without the grid's handlers.
    EXPECT_EQ(GetParent(Box->Handle), Panel_->Handle);
    Box->SetVisible(true);
    SetFocus(Box->Handle);
    SetFocus(Panel_->Handle);
    SendMessageA(Box->Handle, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(Owner.EndEdits, 1);
}

} // namespace

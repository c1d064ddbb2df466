// Alignment and anchors. The layouts are made in panels: borderless child controls of one visible form that the
// whole suite shares, so each panel's client area is exactly its size.
#include "toolkit/ToolkitFixture.h"

#include <cstring>

namespace {

class Layout : public ToolkitTest {
protected:
    static void SetUpTestSuite() {
        Stage = NewForm(nullptr, "Stage");
        Stage->SetHasBorder(false);
        Stage->SetVisible(true);
        Stage->SetBoundsRect({0, 0, 640, 480});
        Stage->GetWindowHandle();
    }
    static void TearDownTestSuite() { FreeAndClear(Stage); }

    void TearDown() override {
        for (Control *panel : panels)
            ObjectBase::Free(panel);
        ToolkitTest::TearDown();
    }

    Control *MakePanel(LONG width, LONG height) {
        Control *panel = Child(Stage);
        panel->SetVisible(true);
        panel->SetBoundsRect({10, 10, 10 + width, 10 + height});
        panels.push_back(panel);
        return panel;
    }

    static Control *Sized(Control *parent, LONG width, LONG height) {
        Control *child = Child(parent);
        child->SetSize(width, height);
        return child;
    }

    static inline Control *Stage = nullptr;
    std::vector<Control *> panels;
};

::testing::AssertionResult Placed(Control *control, LONG left, LONG top, LONG right, LONG bottom) {
    const RECT stored = control->BoundsRect();
    RECT actual{};
    if (control->Handle) {
        GetWindowRect(control->Handle, &actual);
        MapWindowPoints(nullptr, control->Parent->Handle, reinterpret_cast<POINT *>(&actual), 2);
    }
    if (stored.left == left && stored.top == top && stored.right == right && stored.bottom == bottom &&
        (!control->Handle || std::memcmp(&stored, &actual, sizeof(RECT)) == 0))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "bounds " << stored.left << "," << stored.top << "-" << stored.right << ","
                                         << stored.bottom << ", window " << actual.left << "," << actual.top << "-"
                                         << actual.right << "," << actual.bottom;
}

TEST_F(Layout, TopAlignedChildrenStackAndTheClientChildFillsTheRest) {
    Control *panel = MakePanel(200, 100);
    Control *first = Sized(panel, 0, 20);
    Control *second = Sized(panel, 0, 30);
    Control *rest = Child(panel);
    first->SetAlign(AlignKind::Top);
    second->SetAlign(AlignKind::Top);
    rest->SetAlign(AlignKind::Client);
    EXPECT_TRUE(Placed(first, 2, 2, 198, 22));
    EXPECT_TRUE(Placed(second, 2, 24, 198, 54));
    EXPECT_TRUE(Placed(rest, 2, 56, 198, 98));
}

TEST_F(Layout, EdgesAreTakenTopAndBottomFirstThenLeftAndRight) {
    Control *panel = MakePanel(200, 100);
    Control *left = Sized(panel, 30, 0);
    Control *right = Sized(panel, 40, 0);
    Control *rest = Child(panel);
    Control *bottom = Sized(panel, 0, 10);
    left->SetAlign(AlignKind::Left);
    right->SetAlign(AlignKind::Right);
    rest->SetAlign(AlignKind::Client);
    bottom->SetAlign(AlignKind::Bottom);
    EXPECT_TRUE(Placed(bottom, 2, 88, 198, 98));
    EXPECT_TRUE(Placed(left, 2, 2, 32, 86));
    EXPECT_TRUE(Placed(right, 158, 2, 198, 86));
    EXPECT_TRUE(Placed(rest, 34, 2, 156, 86));
}

TEST_F(Layout, ParentSmallerThanItsMarginsGivesAnEmptyChildNotANegativeOne) {
    Control *panel = MakePanel(200, 3);
    Control *left = Sized(panel, 30, 0);
    left->SetAlign(AlignKind::Left);
    EXPECT_TRUE(Placed(left, 2, 2, 32, 2));
}

TEST_F(Layout, HidingAChildReleasesItsSpaceAndShowingTakesItBack) {
    Control *panel = MakePanel(200, 100);
    Control *first = Sized(panel, 0, 20);
    Control *second = Sized(panel, 0, 30);
    first->SetAlign(AlignKind::Top);
    second->SetAlign(AlignKind::Top);
    first->SetVisible(false);
    EXPECT_TRUE(Placed(second, 2, 2, 198, 32));
    first->SetVisible(true);
    EXPECT_TRUE(Placed(second, 2, 24, 198, 54));
}

TEST_F(Layout, ResizingAParentRealignsTheWholeTree) {
    Control *panel = MakePanel(200, 100);
    Control *middle = Child(panel);
    Control *leaf = Child(middle);
    Control *header = Sized(middle, 0, 10);
    middle->SetAlign(AlignKind::Client);
    header->SetAlign(AlignKind::Top);
    leaf->SetAlign(AlignKind::Client);
    EXPECT_TRUE(Placed(middle, 2, 2, 198, 98));
    EXPECT_TRUE(Placed(leaf, 2, 14, 194, 94));
    panel->SetSize(300, 150);
    EXPECT_TRUE(Placed(middle, 2, 2, 298, 148));
    EXPECT_TRUE(Placed(header, 2, 2, 294, 12));
    EXPECT_TRUE(Placed(leaf, 2, 14, 294, 144));
}

TEST_F(Layout, HiddenFormAlignsItsChildrenOnlyWhenShown) {
    Control *form = Form();
    form->SetHasBorder(false);
    form->SetClientSize(200, 100);
    Control *child = Child(form);
    child->SetAlign(AlignKind::Client);
    EXPECT_TRUE(Placed(child, 2, 2, 66, 66));
    EXPECT_TRUE(form->AlignState & AlignStateBits::NeedsAlign);
    form->SetVisible(true);
    EXPECT_TRUE(Placed(child, 2, 2, 198, 98));
    EXPECT_FALSE(form->AlignState & AlignStateBits::NeedsAlign);
}

TEST_F(Layout, AnchoredChildrenFollowTheParentsEdges) {
    Control *panel = MakePanel(200, 100);
    Control *right = Child(panel);
    right->SetBoundsRect({150, 10, 190, 30});
    right->SetAnchors(false, false, true, false);
    Control *stretched = Child(panel);
    stretched->SetBoundsRect({10, 40, 110, 60});
    stretched->SetAnchors(true, false, true, false);
    Control *corner = Child(panel);
    corner->SetBoundsRect({150, 70, 190, 90});
    corner->SetAnchors(false, false, true, true);
    Control *tall = Child(panel);
    tall->SetBoundsRect({120, 10, 140, 90});
    tall->SetAnchors(false, true, false, true);
    Control *fixed = Child(panel);
    fixed->SetBoundsRect({10, 70, 30, 90});
    panel->CreateWindow();

    panel->SetSize(260, 140);
    EXPECT_TRUE(Placed(right, 210, 10, 250, 30));
    EXPECT_TRUE(Placed(stretched, 10, 40, 170, 60));
    EXPECT_TRUE(Placed(corner, 210, 110, 250, 130));
    EXPECT_TRUE(Placed(tall, 120, 10, 140, 130));
    EXPECT_TRUE(Placed(fixed, 10, 70, 30, 90));
    panel->SetSize(200, 100);
    EXPECT_TRUE(Placed(right, 150, 10, 190, 30)) << "and back";
    EXPECT_TRUE(Placed(corner, 150, 70, 190, 90));
}

TEST_F(Layout, ClientAlignedChildAnchoredOnAllSidesFillsTheParentAfterEveryResize) {
    Control *panel = MakePanel(200, 100);
    Control *grid = Child(panel);
    grid->SetAlign(AlignKind::Client);
    grid->SetAnchors(true, true, true, true);
    EXPECT_TRUE(Placed(grid, 2, 2, 198, 98));
    for (const SIZE size : {SIZE{300, 120}, SIZE{150, 60}, SIZE{151, 61}}) {
        panel->SetSize(size.cx, size.cy);
        EXPECT_TRUE(Placed(grid, 2, 2, size.cx - 2, size.cy - 2)) << size.cx << " x " << size.cy;
    }
}

} // namespace

// Painting through OnPaint, the buffered paint and the form background.
#include "toolkit/ToolkitFixture.h"

namespace {

class Painting : public ToolkitTest {
protected:
    static void SetUpTestSuite() {
        Stage = NewForm(nullptr, "Paint stage");
        Stage->SetHasBorder(false);
        Stage->SetVisible(true);
        Stage->SetBoundsRect({0, 0, 400, 300});
        Stage->GetWindowHandle();
        Pump();
    }
    static void TearDownTestSuite() { FreeAndClear(Stage); }

    Control *Canvas() {
        Control *area = Child(Stage);
        area->SetBoundsRect({10, 10, 110, 60});
        area->GetWindowHandle();
        area->CreateWindow();
        areas.push_back(area);
        Pump();
        return area;
    }

    void TearDown() override {
        for (Control *area : areas)
            ObjectBase::Free(area);
        ToolkitTest::TearDown();
    }

    static inline Control *Stage = nullptr;
    std::vector<Control *> areas;
};

struct PaintSeen {
    int Calls = 0;
    HDC Dc = nullptr;
    HDC PaintDC = nullptr;
    bool HadRegion = false;
    bool Buffered = false;
};

void RecordPaint(void *data, ObjectBase *sender, HDC dc) {
    auto *seen = static_cast<PaintSeen *>(data);
    const auto *control = static_cast<Control *>(sender);
    ++seen->Calls;
    seen->Dc = dc;
    seen->PaintDC = control->PaintDC;
    seen->HadRegion = control->UpdateRegion != nullptr;
    seen->Buffered = control->Painting;
}

TEST_F(Painting, OnPaintGetsThePaintDCAndValidatesTheWindow) {
    Control *area = Canvas();
    PaintSeen seen;
    area->SetOnPaint({&RecordPaint, &seen});
    InvalidateRect(area->Handle, nullptr, TRUE);
    Pump();
    EXPECT_EQ(seen.Calls, 1);
    EXPECT_NE(seen.Dc, nullptr);
    EXPECT_EQ(seen.PaintDC, seen.Dc) << "PaintDC is the DC of the paint in progress";
    EXPECT_TRUE(seen.HadRegion);
    EXPECT_FALSE(seen.Buffered);
    EXPECT_EQ(area->PaintDC, nullptr);
    EXPECT_EQ(area->UpdateRegion, nullptr);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(area->Handle, &update, FALSE));
    Pump();
    EXPECT_EQ(seen.Calls, 1) << "painted once";
}

TEST_F(Painting, BufferedPaintDrawsIntoAnotherDCAndIsTriedFirst) {
    Control *area = Canvas();
    PaintSeen seen;
    area->SetOnPaint({&RecordPaint, &seen});
    area->SetDoubleBuffered(true);
    MessageLog log{WM_ERASEBKGND, WM_PAINT};
    area->AttachProc(&LogMessages); // attached later, still asked after the buffered paint

    // Outside a buffered paint, erasing is swallowed.
    const HDC windowDC = GetDC(area->Handle);
    EXPECT_EQ(SendMessageA(area->Handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(windowDC), 0), 1);
    ReleaseDC(area->Handle, windowDC);
    EXPECT_TRUE(log.Entries.empty());

    InvalidateRect(area->Handle, nullptr, TRUE);
    Pump();
    EXPECT_EQ(seen.Calls, 1);
    EXPECT_TRUE(seen.Buffered);
    EXPECT_NE(seen.Dc, nullptr);
    EXPECT_EQ(seen.PaintDC, seen.Dc);
    // The other procedures see the erase and paint performed on the off-screen DC.
    ASSERT_TRUE(SequenceIs(log, {{WM_ERASEBKGND}, {WM_PAINT}}));
    EXPECT_EQ(log.Entries[0].WParam, reinterpret_cast<WPARAM>(seen.Dc));
    EXPECT_EQ(log.Entries[1].WParam, reinterpret_cast<WPARAM>(seen.Dc));
    EXPECT_FALSE(area->Painting);
    EXPECT_EQ(area->PaintDC, nullptr);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(area->Handle, &update, FALSE));

    area->SetDoubleBuffered(false);
    InvalidateRect(area->Handle, nullptr, TRUE);
    Pump();
    EXPECT_EQ(seen.Calls, 2);
    EXPECT_FALSE(seen.Buffered);
}

TEST_F(Painting, FormBackgroundMakesEveryChildWindowBeforeThePaint) {
    Control *late = Child(Stage);
    late->SetVisible(false);
    EXPECT_EQ(late->Handle, nullptr);
    InvalidateRect(Stage->Handle, nullptr, TRUE);
    UpdateWindow(Stage->Handle);
    EXPECT_NE(late->Handle, nullptr);
    ObjectBase::Free(late);
}

} // namespace

// A paint that fails half-way, as one whose allocation fails would: the window procedure ends it cleanly, the
// window is validated, every GDI object it made goes, and the next paint works, buffered or not.
#include "grid/GridFixture.h"

#include "headless/GdiInspect.h"

#include <new>

namespace {

using GridPaintFailure = GridTest;

bool Invalidated(HWND window) {
    RECT pending;
    return GetUpdateRect(window, &pending, FALSE) != FALSE;
}

TEST_F(GridPaintFailure, AFailedPaintEndsCleanlyAndTheNextOneWorks) {
    for (const bool buffered : {true, false}) {
        SCOPED_TRACE(buffered ? "buffered" : "direct");
        XLGrid *grid = MakeGrid(3, 3);
        grid->SetDoubleBuffered(buffered);
        SetText(Cell(grid, 1, 1), "text");
        const HWND window = grid->Handle;
        UpdateWindow(window);
        const headless::GdiObjectCounts before = headless::LiveGdiObjects();

        int draws = 0;
        bool fail = true;
        struct Drawing {
            int *Draws;
            bool *Fail;
        } drawing{&draws, &fail};
        grid->Data->OnDrawCell = {
            [](void *self, ObjectBase *, std::int32_t, std::int32_t, XLCell *, Canvas *, RECT &, bool, bool, bool &) {
                auto *d = static_cast<Drawing *>(self);
                ++*d->Draws;
                if (*d->Fail)
                    throw std::bad_alloc();
            },
            &drawing};
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
        EXPECT_EQ(draws, 1);
        EXPECT_FALSE(Invalidated(window)) << "no paint loop";
        EXPECT_FALSE(grid->Painting);
        EXPECT_EQ(headless::LiveGdiObjects(), before);

        fail = false;
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
        EXPECT_GT(draws, 1) << "the cells are drawn again";
        EXPECT_FALSE(Invalidated(window));
        EXPECT_EQ(headless::LiveGdiObjects(), before);
        ObjectBase::Free(grid);
    }
}

} // namespace

// The grid under the result budget: whichever allocation of a count change fails, the counts, the lists and the
// rows agree afterwards, the grid can still be walked, and what the cells were charged comes back when they go.
#include "grid/GridFixture.h"
#include "grid/GridInternals.h"
#include "grid/MemoryBudget.h"
#include "toolkit/objects/StringList.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

class GridBudget : public GridTest {
protected:
    void TearDown() override {
        ResultBudget.FailAfter(MemoryBudget::NoFailure);
        GridTest::TearDown();
    }

    // Every list follows the counts, and every cell is there.
    static void ExpectConsistent(XLGrid *grid) {
        const XLGridData &data = *grid->Data;
        EXPECT_EQ(data.Rows->Count, data.RowCount);
        EXPECT_EQ(data.RowTitles->Count, data.RowCount);
        EXPECT_EQ(data.RowHeights->Count, data.RowCount);
        EXPECT_EQ(data.ColTitles->Count, data.ColCount);
        EXPECT_EQ(data.ColWidths->Count, data.ColCount);
        for (std::int32_t r = 0; r < data.RowCount; ++r)
            for (std::int32_t c = 0; c < data.ColCount; ++c)
                ASSERT_NE(Cell(grid, c, r), nullptr) << c << ", " << r;
    }
};

TEST_F(GridBudget, AFailedCountChangeLeavesAConsistentGrid) {
    struct Case {
        const char *Name;
        void (*Change)(XLGrid *);
        // The counts the grid may have afterwards: the old ones, the new ones, or in between for rows.
        bool RowsInBetween;
    };
    const Case cases[] = {
        {"more rows", [](XLGrid *grid) { SetRowCount(grid, 40); }, true},
        {"more columns", [](XLGrid *grid) { SetColCount(grid, 9); }, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        bool completed = false;
        for (std::size_t failAt = 0; !completed && failAt < 1000; ++failAt) {
            SCOPED_TRACE("charge " + std::to_string(failAt));
            const std::size_t before = ResultBudget.Used();
            XLGrid *grid = MakeGrid(3, 5);
            SetText(Cell(grid, 2, 4), "kept");
            SetCurrentCell(grid, 2, 4);
            ResultBudget.FailAfter(failAt);
            try {
                c.Change(grid);
                completed = true;
                ResultBudget.FailAfter(MemoryBudget::NoFailure);
            } catch (const std::bad_alloc &) {
            }
            ExpectConsistent(grid);
            const std::int32_t rows = RowCount(grid), cols = ColCount(grid);
            if (!completed) {
                EXPECT_TRUE(c.RowsInBetween ? rows >= 5 && rows < 40 : rows == 5);
                EXPECT_EQ(cols, 3);
            }
            EXPECT_EQ(Cell(grid, 2, 4)->Text.Str(), "kept");
            PostKey(grid, VK_END, Modifier::Ctrl);
            EXPECT_EQ(GetCurrentCell(grid), (CellPosition{cols - 1, rows - 1}));
            ObjectBase::Free(grid);
            EXPECT_EQ(ResultBudget.Used(), before) << "every charge given back";
            ASSERT_FALSE(HasFailure());
        }
        EXPECT_TRUE(completed);
    }
}

TEST_F(GridBudget, AFailedTextChangeKeepsTheOldText) {
    XLGrid *grid = MakeGrid(2, 1);
    for (const std::string &text : {std::string("short"), std::string(3000, 'l')}) {
        SetText(Cell(grid, 0, 0), "old");
        ResultBudget.FailAfter(0);
        EXPECT_THROW(SetText(Cell(grid, 0, 0), text), std::bad_alloc);
        EXPECT_EQ(Cell(grid, 0, 0)->Text.Str(), "old");
        ResultBudget.FailAfter(MemoryBudget::NoFailure);
        SetText(Cell(grid, 0, 0), text);
        EXPECT_EQ(Cell(grid, 0, 0)->Text.Str(), text);
    }
}

// A row's texts are set cell by cell: a failure keeps the texts set before it and leaves the rest as they were.
TEST_F(GridBudget, AFailedRowTextChangeStopsAtTheCellItFailedOn) {
    XLGrid *grid = MakeGrid(3, 1);
    const std::vector<std::string_view> old = {"o0", "o1", "o2"}, fresh = {"n0", "n1", "n2"};
    SetRowTexts(grid, 0, old);
    ResultBudget.FailAfter(1);
    EXPECT_THROW(SetRowTexts(grid, 0, fresh), std::bad_alloc);
    ResultBudget.FailAfter(MemoryBudget::NoFailure);
    EXPECT_EQ(Cell(grid, 0, 0)->Text.Str(), "n0");
    EXPECT_EQ(Cell(grid, 1, 0)->Text.Str(), "o1");
    EXPECT_EQ(Cell(grid, 2, 0)->Text.Str(), "o2");
}

// A result's reader reserves what the grid will be charged for each row before the grid makes it, so the two must
// agree to the byte, for rows carved from the store and rows of their own alike.
TEST_F(GridBudget, TheGridChargesARowWhatItsReaderReserved) {
    for (const std::uint16_t cols : {std::uint16_t{1}, std::uint16_t{64}, std::uint16_t{1500}}) {
        SCOPED_TRACE(cols);
        XLGrid *grid = MakeGrid(cols, 0);
        const std::size_t before = ResultBudget.Used();
        SetRowCount(grid, 300);
        EXPECT_EQ(ResultBudget.Used() - before, 300 * (NewRowCost(cols) + cols * CellStore::CellCost(0)));
        ObjectBase::Free(grid);
    }
}

} // namespace

// What a run does when memory, the result budget or the user stops it: the answer is a failed step, and the grid and
// RowsText hold the same rows, read before the stop; and the exchange text takes a result text without a copy.
#include "db/CancelCheck.h"
#include "db/QueryFixture.h"
#include "db/QueryRunner.h"
#include "grid/MemoryBudget.h"
#include "headless/Inspect.h"
#include "plugin/ExportGuard.h"
#include "plugin/PluginExports.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;

// RowsText split into its rows and fields; the values of these tests hold no terminator bytes.
Rows RowsOfText() {
    Rows rows(1);
    std::string field;
    for (const char c : RowsText.View()) {
        if (c == FieldTerminator) {
            rows.back().push_back(field);
            field.clear();
        } else if (c == RowTerminator) {
            rows.emplace_back();
        } else {
            field += c;
        }
    }
    rows.pop_back();
    return rows;
}

Rows RowsOfGrid(XLGrid *grid) {
    Rows rows;
    for (std::int32_t r = 0; r < RowCount(grid); ++r) {
        rows.emplace_back();
        for (std::int32_t c = 0; c < ColCount(grid); ++c)
            rows.back().push_back(Cell(grid, c, r)->Text.Str());
    }
    return rows;
}

class QuerySafety : public QueryTest {
protected:
    void SetUp() override {
        QueryTest::SetUp();
        Exec(Other, "create table big(x integer); insert into big with recursive n(i) as (select 1 union all "
                    "select i + 1 from n where i < 20000) select i from n;");
    }
    void TearDown() override {
        ResultBudget.FailAfter(MemoryBudget::NoFailure);
        ResultBudget.SetLimit(MemoryBudget::DefaultLimit);
        headless::SetAsyncKeyDown(VK_ESCAPE, false);
        QueryTest::TearDown();
    }

    // The grid (when there is one) and RowsText hold the same rows, and the grid can be walked to its last cell.
    static void ExpectAgreeing(XLGrid *grid, std::size_t rows) {
        const Rows text = RowsOfText();
        EXPECT_EQ(text.size(), rows);
        if (!grid)
            return;
        EXPECT_EQ(RowsOfGrid(grid), text);
        PostKey(grid, VK_END, Modifier::Ctrl);
        if (rows > 0) {
            EXPECT_EQ(GetCurrentCell(grid), (CellPosition{ColCount(grid) - 1, static_cast<std::int32_t>(rows) - 1}));
        }
    }
};

TEST_F(QuerySafety, TheBudgetStopsReadingAndIsAnsweredAsAFailedStep) {
    struct Case {
        const char *Name;
        const char *Sql;
        bool WithGrid;
    };
    const Case cases[] = {
        {"short values", "select x, 'v' || x from big", true},
        {"values with allocations of their own", "select x, printf('%.1500c', 'y') from big", true},
        {"before the viewer exists", "select x, 'v' || x from big", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        XLGrid *grid = c.WithGrid ? MakeGrid(0, 0) : nullptr;
        RowsText.Clear();
        ResultBudget.SetLimit(ResultBudget.Used() + 400 * 1024);
        EXPECT_EQ(Run(grid, c.Sql), "error sql \r\n");
        EXPECT_EQ(Clicks(), 1);
        const std::size_t rows = RowsOfText().size();
        EXPECT_GT(rows, 0u);
        EXPECT_LT(rows, 20000u);
        EXPECT_LE(ResultBudget.Used(), ResultBudget.Limit());
        EXPECT_EQ(TitlesText, "x#" + std::string(c.Sql).substr(10, std::string(c.Sql).find(" from") - 10) + "#");
        ExpectAgreeing(grid, rows);

        ResultBudget.SetLimit(MemoryBudget::DefaultLimit);
        EXPECT_EQ(Run(grid, c.Sql), c.Sql) << "the whole result fits the real budget";
        ExpectAgreeing(grid, 20000);
        if (grid)
            SetRowCount(grid, 0);
    }
}

// Every charge a run makes is made to fail in turn: whichever it is, the run ends with the grid and RowsText
// agreeing, as a success or as a failed step, and what was charged is given back once the result goes.
TEST_F(QuerySafety, AnAllocationFailingAnywhereInARunLeavesGridAndTextAgreeing) {
    XLGrid *grid = MakeGrid(0, 0);
    const std::size_t before = ResultBudget.Used();
    const std::string sql = "select id, name, printf('%.1200c', 'z') from t order by id";
    bool completed = false;
    for (std::size_t failAt = 0; !completed && failAt < 1000; ++failAt) {
        SCOPED_TRACE("charge " + std::to_string(failAt));
        ResultBudget.FailAfter(failAt);
        // As sqlrun runs it, with the export's answer to a failure that leaves the runner.
        SetFile(sql.c_str());
        GuardExportAnswering([grid] { RunQuery(grid); }, AnswerRunFailure);
        const std::string answer = GetFile();
        // A charge never reached leaves the failure pending: the run went through whole.
        completed = answer == sql;
        if (completed) {
            ResultBudget.FailAfter(MemoryBudget::NoFailure);
            EXPECT_EQ(Clicks(), 0);
            ExpectAgreeing(grid, 3);
        } else {
            EXPECT_EQ(answer, "error sql \r\n");
            EXPECT_EQ(Clicks(), 1);
            ExpectAgreeing(grid, RowsOfText().size());
            EXPECT_LT(RowsOfText().size(), 3u);
        }
        ASSERT_FALSE(HasFailure());
    }
    EXPECT_TRUE(completed);
    SetRowCount(grid, 0);
    RowsText.Clear();
    TitlesText.Clear();
    EXPECT_EQ(ResultBudget.Used(), before);
}

TEST_F(QuerySafety, TheExchangeTextSharesTheResultTexts) {
    XLGrid *grid = MakeGrid(0, 0);
    Run(grid, "select x, 'v' || x from big");
    // With the budget spent, handing the texts over still works: it allocates nothing.
    ResultBudget.SetLimit(ResultBudget.Used());
    getrows();
    EXPECT_EQ(GetFile(), RowsText.CStr());
    gettituls();
    EXPECT_EQ(GetFile(), TitlesText.CStr());
    EXPECT_STREQ(GetFile(), "x#'v' || x#");

    // A new result leaves the handed-over text as it was.
    getrows();
    const SharedText handed = ExchangeText;
    const std::string rows = handed.Str();
    ResultBudget.SetLimit(MemoryBudget::DefaultLimit);
    Run(grid, "select 1");
    EXPECT_EQ(handed, rows);
    EXPECT_EQ(RowsText, "1\x19\x18");
}

// Esc held down while a window of this process is the foreground stops the statement; in another program, it does
// not. The stopped run is answered like a failed step and keeps the rows read.
TEST_F(QuerySafety, EscInTheHostStopsARunningStatement) {
    struct Case {
        const char *Name;
        const char *Sql;
        bool HostInFront;
        bool Stops;
        // Null where the stop may come before the first row or after it.
        const char *Titles;
    };
    const Case cases[] = {
        {"endless, no row", "with recursive c(x) as (select 1 union all select x + 1 from c) select count(*) from c",
         true, true, ""},
        {"endless, rows now and then",
         "with recursive c(x) as (select 1 union all select x + 1 from c) select x from c where x % 1000000 = 1", true,
         true, nullptr},
        {"in another program",
         "with recursive c(x) as (select 1 union all select x + 1 from c where x < 300000) select count(*) from c",
         false, false, "count(*)#"},
    };
    Control *host = Form(true);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        XLGrid *grid = MakeGrid(0, 0);
        if (c.HostInFront)
            SetForegroundWindow(host->GetWindowHandle());
        else
            SetActiveWindow(nullptr);
        headless::SetAsyncKeyDown(VK_ESCAPE, true);
        EXPECT_EQ(EscapePressedInHost(), c.HostInFront);
        const std::string answer = Run(grid, c.Sql);
        headless::SetAsyncKeyDown(VK_ESCAPE, false);
        EXPECT_EQ(answer, c.Stops ? "error sql \r\n" : c.Sql);
        EXPECT_EQ(Clicks(), c.Stops ? 1 : 0);
        if (c.Titles) {
            EXPECT_EQ(TitlesText, c.Titles);
        }
        EXPECT_EQ(ColCount(grid), 1);
        ExpectAgreeing(grid, RowsOfText().size());
        ObjectBase::Free(grid);
    }
}

// Terminator bytes, line ends and a '#' in a name are data: they reach the cells and the texts as they are.
TEST_F(QuerySafety, SpecialBytesArriveIntact) {
    XLGrid *grid = MakeGrid(0, 0);
    struct Column {
        const char *Select;
        std::string Name;
        std::string Value;
    };
    const Column columns[] = {
        {"'a' || char(25) || 'b' as \"f#1\"", "f#1",
         "a\x19"
         "b"},
        {"char(24) as r", "r", "\x18"},
        {"'one' || char(13, 10) || 'two' as \"line\r\nend\"", "line\r\nend", "one\r\ntwo"},
        {"char(25, 24, 25) || '#' as \"##\"", "##", "\x19\x18\x19#"},
    };
    std::string sql = "select ";
    std::string titles, rows;
    for (const Column &c : columns) {
        sql += std::string(&c == columns ? "" : ", ") + c.Select;
        titles += c.Name + "#";
        rows += c.Value + FieldTerminator;
    }
    rows += RowTerminator;
    EXPECT_EQ(Run(grid, sql), sql);
    EXPECT_EQ(TitlesText, titles);
    EXPECT_EQ(RowsText, rows);
    ASSERT_EQ(RowCount(grid), 1);
    for (std::int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(Title(grid, i), columns[i].Name);
        EXPECT_EQ(Cell(grid, i, 0)->Text.Str(), columns[i].Value);
    }
}

} // namespace

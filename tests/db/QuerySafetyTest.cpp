// What a run does when memory or the result budget stops it: the answer is a failed step, and the grid and RowsText
// hold the same rows, read before the stop; the exchange text takes a result text without a copy; and the bytes the
// texts use as separators are data all the same.
#include "db/QueryFixture.h"
#include "db/QueryRunner.h"
#include "grid/MemoryBudget.h"
#include "plugin/ExportGuard.h"
#include "plugin/PluginExports.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

class QuerySafety : public QueryTest {
protected:
    void SetUp() override {
        QueryTest::SetUp();
        Exec(Other, "create table big(x integer); insert into big with recursive n(i) as (select 1 union all "
                    "select i + 1 from n where i < 20000) select i from n;");
    }
    void TearDown() override {
        ResultBudget.FailAfter(MemoryBudget::NoFailure);
        ResultBudget.UnfixLimit();
        QueryTest::TearDown();
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

        ResultBudget.UnfixLimit();
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
    ResultBudget.UnfixLimit();
    Run(grid, "select 1");
    EXPECT_EQ(handed, rows);
    EXPECT_EQ(RowsText, "1\x19\x18");
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

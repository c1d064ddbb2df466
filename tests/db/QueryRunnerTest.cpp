// The query runner against a file database: the grid and both texts for each kind of result, failed preparations
// and steps, locks, and the row limit.
#include "db/QueryRunner.h"
#include "db/QueryFixture.h"
#include "plugin/PluginExports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class QueryRunner : public QueryTest {};

using Strings = std::vector<std::string>;

TEST_F(QueryRunner, ResultFillsGridAndTextsWithoutNotifying) {
    XLGrid *grid = MakeGrid(0, 0);
    EXPECT_EQ(Run(grid, "select id, name from t order by id"), "select id, name from t order by id");
    EXPECT_EQ(Clicks(), 0);
    EXPECT_EQ(ColCount(grid), 2);
    EXPECT_EQ(RowCount(grid), 3) << "no spare row left behind";
    EXPECT_EQ(Title(grid, 0), "id");
    EXPECT_EQ(Title(grid, 1), "name");
    EXPECT_EQ(Column(grid, 0), (Strings{"1", "2", "3"}));
    EXPECT_EQ(Column(grid, 1), (Strings{"ann", "", "bo"}));
    EXPECT_EQ(TitlesText, "id#name#");
    EXPECT_EQ(RowsText, "1\x19"
                        "ann\x19\x18"
                        "2\x19\x19\x18"
                        "3\x19"
                        "bo\x19\x18");

    Run(grid, "select name as who from t where id = 1");
    EXPECT_EQ(ColCount(grid), 1);
    EXPECT_EQ(RowCount(grid), 1);
    EXPECT_EQ(Title(grid, 0), "who") << "aliases are the names";
    EXPECT_EQ(TitlesText, "who#");

    Run(grid, "select name from t where id = 2");
    EXPECT_EQ(RowsText, "\x19\x18") << "one NULL is an empty field";
}

TEST_F(QueryRunner, ExampleTextsByteForByte) {
    Exec(Other, "create table p(id, name); insert into p values(1, 'ann'), (2, NULL);");
    // Before SetParentWindow there is no grid; the texts are built all the same.
    SetFile("select id, name from p");
    sqlrun();
    EXPECT_EQ(TitlesText, std::string("id#name#"));
    EXPECT_EQ(RowsText, std::string("1\x19"
                                    "ann\x19\x18"
                                    "2\x19\x19\x18"));
    gettituls();
    EXPECT_STREQ(GetFile(), "id#name#");
    getrows();
    EXPECT_EQ(std::string(GetFile()).size(), 11u);
}

TEST_F(QueryRunner, OnlyTheFirstStatementRuns) {
    Run(nullptr, "select 1 as a; insert into u values(7);");
    EXPECT_EQ(TitlesText, "a#");
    Run(nullptr, "select count(*) from u where k = 7");
    EXPECT_EQ(RowsText, "0\x19\x18");
}

TEST_F(QueryRunner, FailedPreparationKeepsPreviousRows) {
    XLGrid *grid = MakeGrid(0, 0);
    Run(grid, "select id from t");
    const std::string rows = RowsText.Str();
    for (const char *bad : {"selec id from t", "select * from missing", ""}) {
        EXPECT_EQ(Run(grid, bad), "error query \r\n") << bad;
        EXPECT_EQ(Clicks(), 1) << bad;
        EXPECT_EQ(TitlesText, "");
        EXPECT_EQ(RowsText, rows);
        EXPECT_EQ(RowCount(grid), 3);
    }
}

TEST_F(QueryRunner, NoRowShowsTheStatementsColumnsOnly) {
    XLGrid *grid = MakeGrid(0, 0);
    Run(grid, "select id, name from t");
    EXPECT_EQ(Run(grid, "select id, name, 5 as five from t where id > 100"),
              "select id, name, 5 as five from t where id > 100");
    EXPECT_EQ(Clicks(), 0);
    EXPECT_EQ(ColCount(grid), 3);
    EXPECT_EQ(Title(grid, 2), "five");
    EXPECT_EQ(RowCount(grid), 0) << "the previous rows never stay under a new statement";
    EXPECT_EQ(TitlesText, "");
    EXPECT_EQ(RowsText, "");

    Run(grid, "select id from t");
    Run(grid, "create table v(x)");
    EXPECT_EQ(Clicks(), 0);
    EXPECT_EQ(ColCount(grid), 0);
    EXPECT_EQ(RowCount(grid), 0);

    Run(grid, "select name from t order by id desc");
    const CellPosition at = GetCurrentCell(grid);
    ASSERT_NE(Cell(grid, at.Col, at.Row), nullptr) << "a filled grid has a current cell again";
    EXPECT_EQ(Cell(grid, at.Col, at.Row)->Text.Str(), "bo");
}

// Whatever the previous result's scroll position, a new result is shown from its top-left cell: with rows, cell
// (0, 0) is current; without rows, the new titles start at the left.
TEST_F(QueryRunner, EveryResultIsShownFromItsTopLeftCell) {
    const std::string wide = "with recursive n(i) as (select 0 union all select i + 1 from n where i < 39) "
                             "select i, i, i, i, i, i, i, i, i, i, i, i, i, i, i from n";
    struct Case {
        const char *Name;
        std::string Next;
        std::int32_t Rows;
    };
    const Case cases[] = {
        {"rows", "select id, name from t", 3},
        {"no rows", "select 1 as a, 2 as b where 0", 0},
        {"a statement without columns", "create table w(x)", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        XLGrid *grid = MakeGrid(0, 0);
        Run(grid, wide);
        PostKey(grid, VK_END, Modifier::Ctrl);
        ASSERT_EQ(LeftCol(grid), 15 - VisibleColCount(grid));
        ASSERT_GT(TopRow(grid), 0);
        EXPECT_EQ(Run(grid, c.Next), c.Next);
        EXPECT_EQ(RowCount(grid), c.Rows);
        EXPECT_EQ(LeftCol(grid), 0);
        EXPECT_EQ(TopRow(grid), 0);
        if (c.Rows > 0) {
            EXPECT_EQ(GetCurrentCell(grid), (CellPosition{0, 0}));
        }
        ObjectBase::Free(grid);
    }
}

TEST_F(QueryRunner, StepErrorsEndTheRunKeepingRowsRead) {
    XLGrid *grid = MakeGrid(0, 0);
    struct Case {
        const char *Sql;
        Strings Rows;
    };
    // abs() of the smallest integer fails at that row, after the rows before it were read.
    Exec(Other, "create table w(x integer); insert into w values(1), (-2), (-9223372036854775808), (4);");
    for (const Case &c :
         {Case{"insert into u values(1)", {}}, Case{"select abs(x) from w order by rowid", {"1", "2"}}}) {
        Run(grid, "select id from t");
        EXPECT_EQ(Run(grid, c.Sql), "error sql \r\n") << c.Sql;
        EXPECT_EQ(Clicks(), 1) << c.Sql;
        EXPECT_EQ(RowCount(grid), c.Rows.size()) << c.Sql;
        if (ColCount(grid)) {
            EXPECT_EQ(Column(grid, 0), c.Rows) << c.Sql;
        }
        std::string rows;
        for (const std::string &value : c.Rows)
            rows += value + "\x19\x18";
        EXPECT_EQ(RowsText, rows) << c.Sql;
    }
}

TEST_F(QueryRunner, LockHeldElsewhereIsBusyAndNoLockOutlivesARun) {
    XLGrid *grid = MakeGrid(0, 0);
    Run(grid, "select id from t");
    Exec(Other, "begin exclusive; insert into t values(9, 'z');");
    EXPECT_EQ(Run(grid, "select id from t"), "error sql \r\n");
    EXPECT_EQ(Clicks(), 1);
    EXPECT_EQ(RowCount(grid), 0);
    EXPECT_EQ(RowsText, "");
    Exec(Other, "commit;");

    // A run stopped before the end of its result must still release its read lock.
    Exec(Other, "create table big(x); insert into big with recursive n(i) as (select 1 union all select i + 1 from n "
                "where i < 70000) select i from n;");
    Run(nullptr, "select x from big");
    EXPECT_EQ(sqlite3_exec(Other, "begin exclusive; commit;", nullptr, nullptr, nullptr), SQLITE_OK);
}

TEST_F(QueryRunner, ResultsStopAtTheSixteenBitLimit) {
    XLGrid *grid = MakeGrid(0, 0);
    Exec(Other, "create table big(x); insert into big with recursive n(i) as (select 1 union all select i + 1 from n "
                "where i < 70000) select i from n;");
    EXPECT_EQ(Run(grid, "select x from big order by x"), "select x from big order by x");
    EXPECT_EQ(Clicks(), 0) << "the limit ends the run as a success";
    EXPECT_EQ(RowCount(grid), MaxResultRows);
    EXPECT_EQ(std::ranges::count(RowsText.View(), RowTerminator), MaxResultRows);
    EXPECT_EQ(Cell(grid, 0, MaxResultRows - 1)->Text.Str(), std::to_string(MaxResultRows));
    EXPECT_TRUE(RowsText.View().ends_with(std::to_string(MaxResultRows) + "\x19\x18"));
}

TEST(QueryRunnerOrder, WithoutDatabaseIsAQueryError) {
    sqlite3_close_v2(DbHandle);
    DbHandle = nullptr;
    HostWindow = CreateWindowExA(0, "BUTTON", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetFile("select 1");
    sqlrun();
    EXPECT_STREQ(GetFile(), "error query \r\n");
    MSG msg;
    int clicks = 0;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        clicks += msg.hwnd == HostWindow && msg.message == WM_LBUTTONDOWN;
    EXPECT_EQ(clicks, 1);
    DestroyWindow(HostWindow);
    HostWindow = nullptr;
}

} // namespace

// The query tests' database and readers.
#include "db/QueryFixture.h"

#include "db/QueryRunner.h"
#include "plugin/PluginExports.h"
#include "toolkit/objects/StringList.h"

void QueryTest::SetUp() {
    GridTest::SetUp();
    HostWindow = Form(false)->GetWindowHandle();
    ViewRect = {};
    Path = Dir.File("q.db");
    ASSERT_EQ(sqlite3_open(Path.c_str(), &Other), SQLITE_OK);
    Exec(Other, "create table t(id integer primary key, name text);"
                "insert into t values(1, 'ann'), (2, NULL), (3, 'bo');"
                "create table u(k integer unique);"
                "insert into u values(1);");
    sqlite3_close_v2(DbHandle);
    ASSERT_EQ(sqlite3_open(Path.c_str(), &DbHandle), SQLITE_OK);
    TitlesText.Clear();
    RowsText.Clear();
    Clicks();
}

void QueryTest::TearDown() {
    sqlite3_close_v2(Other);
    sqlite3_close_v2(DbHandle);
    DbHandle = nullptr;
    TitlesText.Clear();
    RowsText.Clear();
    HostWindow = nullptr;
    GridTest::TearDown();
}

void QueryTest::Exec(sqlite3 *db, const char *sql) {
    char *error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
}

std::string QueryTest::Run(XLGrid *grid, const std::string &sql) {
    SetFile(sql.c_str());
    RunQuery(grid);
    return GetFile();
}

int QueryTest::Clicks() {
    int clicks = 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.hwnd == HostWindow && msg.message == WM_LBUTTONDOWN)
            ++clicks;
        else if (msg.hwnd && msg.hwnd != HostWindow)
            DispatchMessageA(&msg);
    }
    return clicks;
}

std::vector<std::string> QueryTest::Column(XLGrid *grid, std::int32_t col) {
    std::vector<std::string> texts;
    for (std::int32_t r = 0; r < RowCount(grid); ++r)
        texts.push_back(Cell(grid, col, r)->Text.Str());
    return texts;
}

std::string QueryTest::Title(XLGrid *grid, std::int32_t col) { return grid->Data->ColTitles->Get(col); }

QueryTest::Rows QueryTest::RowsOfText() {
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

QueryTest::Rows QueryTest::RowsOfGrid(XLGrid *grid) {
    Rows rows;
    for (std::int32_t r = 0; r < RowCount(grid); ++r) {
        rows.emplace_back();
        for (std::int32_t c = 0; c < ColCount(grid); ++c)
            rows.back().push_back(Cell(grid, c, r)->Text.Str());
    }
    return rows;
}

void QueryTest::ExpectAgreeing(XLGrid *grid, std::size_t rows) {
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

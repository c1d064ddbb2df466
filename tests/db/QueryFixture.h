// Common ground for the query tests: a file database made by a second connection, which the plug-in then opens as
// its own, and readers of what a run left in the grid, the texts and the thread's queue.
#pragma once

#include <sqlite3.h>

#include <ostream>
#include <string>
#include <vector>

#include "db/Database.h"
#include "db/ResultTexts.h"
#include "db/SharedState.h"
#include "grid/GridFixture.h"
#include "support/TempDir.h"

// Failures show a shared text as the text it holds.
inline void PrintTo(const SharedText &text, std::ostream *out) { *out << ::testing::PrintToString(text.Str()); }

class QueryTest : public GridTest {
protected:
    // Tables t(id, name) with the rows (1, 'ann'), (2, NULL), (3, 'bo'), and u(k unique) with the row 1.
    void SetUp() override;
    void TearDown() override;

    static void Exec(sqlite3 *db, const char *sql);
    // Runs a query into the grid; returns ExchangeText afterwards.
    static std::string Run(XLGrid *grid, const std::string &sql);
    // Notification clicks waiting for the host window, a form of this thread; taken out of the queue.
    static int Clicks();
    static std::vector<std::string> Column(XLGrid *grid, std::int32_t col);
    static std::string Title(XLGrid *grid, std::int32_t col);

    using Rows = std::vector<std::vector<std::string>>;
    // RowsText split into its rows and fields, for values that hold no terminator bytes.
    static Rows RowsOfText();
    static Rows RowsOfGrid(XLGrid *grid);
    // The grid (when there is one) and RowsText hold the same rows, and the grid can be walked to its last cell.
    static void ExpectAgreeing(XLGrid *grid, std::size_t rows);

    TempDir Dir;
    std::string Path;
    sqlite3 *Other = nullptr;
};

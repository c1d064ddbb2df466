#include "db/QueryRunner.h"

#include "db/Database.h"
#include "db/NotifyHost.h"
#include "db/ResultTexts.h"
#include "db/Statement.h"
#include "grid/XLGrid.h"
#include "plugin/PluginState.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

void Fail(const char *line) {
    ExchangeText = line;
    NotifyHost();
}

const char *TextOrEmpty(const unsigned char *text) { return text ? reinterpret_cast<const char *>(text) : ""; }

// Keeps the grid inside one update bracket for the whole fill, so it repaints once, after the run.
struct FillBracket {
    XLGrid *Grid;
    explicit FillBracket(XLGrid *grid) : Grid(grid) {
        if (Grid)
            BeginUpdate(Grid);
    }
    FillBracket(const FillBracket &) = delete;
    FillBracket &operator=(const FillBracket &) = delete;
    ~FillBracket() {
        if (Grid)
            EndUpdate(Grid);
    }
};

// The statement's columns: their names into TitlesText (only when a row came, as the titles text belongs to
// results that yield one) and onto the grid, whose rows start empty.
void SetUpColumns(sqlite3_stmt *statement, XLGrid *grid, bool gotRow) {
    const int n = sqlite3_column_count(statement);
    std::vector<std::string> names(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        names[static_cast<std::size_t>(i)] =
            TextOrEmpty(reinterpret_cast<const unsigned char *>(sqlite3_column_name(statement, i)));
        if (gotRow) {
            TitlesText += names[static_cast<std::size_t>(i)];
            TitlesText += '#';
        }
    }
    if (!grid)
        return;
    // Rows go first, so no cell of the previous result is kept or resized for nothing.
    SetRowCount(grid, 0);
    SetColCount(grid, static_cast<std::uint16_t>(n));
    SetColTitles(grid, names);
    SetRowCount(grid, gotRow ? 1 : 0);
    // Emptying the grid left no current cell; a result with rows gets one back, so a double click reaches a cell.
    const CellPosition at = GetCurrentCell(grid);
    if (gotRow && !Cell(grid, at.Col, at.Row))
        SetCurrentCell(grid, 0, 0);
}

constexpr std::int32_t MinRowBatch = 64;

void AppendRow(sqlite3_stmt *statement, XLGrid *grid, int n, std::int32_t r) {
    for (int j = 0; j < n; ++j) {
        const char *value = TextOrEmpty(sqlite3_column_text(statement, j));
        if (grid)
            SetText(Cell(grid, j, r), value);
        RowsText += value;
        RowsText += FieldTerminator;
    }
    RowsText += RowTerminator;
}

} // namespace

void RunQuery(XLGrid *grid) {
    TitlesText.clear();
    const std::string query = ExchangeText;
    if (!DbHandle) {
        Fail("error query \r\n");
        return;
    }
    Statement statement;
    const char *tail = nullptr;
    if (sqlite3_prepare(DbHandle, query.c_str(), -1, &statement.Handle, &tail) != SQLITE_OK || !statement.Handle) {
        Fail("error query \r\n");
        return;
    }

    const FillBracket bracket(grid);
    int step = sqlite3_step(statement.Handle);
    // Whatever the first step gives, the grid now shows this statement's columns and never the previous rows.
    SetUpColumns(statement.Handle, grid, step == SQLITE_ROW);
    RowsText.clear();
    const int n = sqlite3_column_count(statement.Handle);
    // Rows are kept ready ahead of the records in batches that grow by a quarter: every row count change also sets
    // the scroll bars, a round trip to the window system, while rows made for records that never come are waste.
    std::int32_t ready = grid ? RowCount(grid) : 0;
    std::int32_t r = 0;
    while (step == SQLITE_ROW) {
        if (grid && r >= ready) {
            ready = std::min(MaxResultRows, ready + std::max(ready / 4, MinRowBatch));
            SetRowCount(grid, static_cast<std::uint16_t>(ready));
        }
        AppendRow(statement.Handle, grid, n, r);
        ++r;
        if (r == MaxResultRows)
            break;
        step = sqlite3_step(statement.Handle);
    }
    // The rows kept ready for records that never came go, on success and on failure alike: the grid holds exactly
    // the rows read, as RowsText does.
    if (grid && RowCount(grid) != r)
        SetRowCount(grid, static_cast<std::uint16_t>(r));
    if (step != SQLITE_ROW && step != SQLITE_DONE)
        Fail("error sql \r\n");
}

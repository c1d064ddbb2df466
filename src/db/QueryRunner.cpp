#include "db/QueryRunner.h"

#include "db/Database.h"
#include "db/NotifyHost.h"
#include "db/ResultTexts.h"
#include "db/SharedState.h"
#include "db/Statement.h"
#include "grid/XLGrid.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

void Fail(const char *line) {
    ExchangeText = line;
    NotifyHost();
}

const char *TextOrEmpty(const unsigned char *text) { return text ? reinterpret_cast<const char *>(text) : ""; }

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
    // The count setters leave the scroll position alone; a new result starts at its top-left corner, or a shorter
    // one could be scrolled out of sight.
    SetLeftCol(grid, 0);
    SetTopRow(grid, 0);
}

// The records as read: RowsText holds them, and ValueEnds the end of every value in it, so that the grid can take
// them afterwards whatever bytes the values contain.
struct Records {
    std::int32_t Count = 0;
    std::vector<std::size_t> ValueEnds;
};

// Steps on from a step that gave a row, up to the row limit; returns the last step's result.
int ReadRecords(sqlite3_stmt *statement, int step, int n, Records &records) {
    while (step == SQLITE_ROW) {
        for (int j = 0; j < n; ++j) {
            RowsText += TextOrEmpty(sqlite3_column_text(statement, j));
            records.ValueEnds.push_back(RowsText.size());
            RowsText += FieldTerminator;
        }
        RowsText += RowTerminator;
        if (++records.Count == MaxResultRows)
            break;
        step = sqlite3_step(statement);
    }
    return step;
}

// The grid gets exactly the rows read, in one row count change.
void FillGrid(XLGrid *grid, int n, const Records &records) {
    SetRowCount(grid, static_cast<std::uint16_t>(records.Count));
    const std::string_view rows = RowsText;
    std::size_t value = 0;
    std::size_t begin = 0;
    for (std::int32_t r = 0; r < records.Count; ++r) {
        for (int j = 0; j < n; ++j, ++value) {
            const std::size_t end = records.ValueEnds[value];
            SetText(Cell(grid, j, r), rows.substr(begin, end - begin));
            begin = end + 1;
        }
        ++begin; // the row terminator
    }
    // Emptying the grid left no current cell; a result with rows gets one back, so a double click reaches a cell.
    const CellPosition at = GetCurrentCell(grid);
    if (records.Count > 0 && !Cell(grid, at.Col, at.Row))
        SetCurrentCell(grid, 0, 0);
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

    // One bracket for the whole fill, so the grid repaints once, after the run.
    const UpdateBracket bracket(grid);
    int step = sqlite3_step(statement.Handle);
    // Whatever the first step gives, the grid now shows this statement's columns and never the previous rows.
    SetUpColumns(statement.Handle, grid, step == SQLITE_ROW);
    RowsText.clear();
    const int n = sqlite3_column_count(statement.Handle);
    // The records are read first and the grid filled from RowsText afterwards: interleaved with the grid's
    // allocations, SQLite's reads ran about twice as slow under Wine, and this way no row is made for nothing.
    Records records;
    step = ReadRecords(statement.Handle, step, n, records);
    if (grid)
        FillGrid(grid, n, records);
    if (step != SQLITE_ROW && step != SQLITE_DONE)
        Fail("error sql \r\n");
}

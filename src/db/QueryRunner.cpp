// sqlrun's body: the statement's rows into the grid and the result texts, within the result budget, until the end,
// the row limit, a failed step or Esc.
#include "db/QueryRunner.h"

#include "db/CancelCheck.h"
#include "db/Database.h"
#include "db/NotifyHost.h"
#include "db/ResultTexts.h"
#include "db/SharedState.h"
#include "db/Statement.h"
#include "db/ValueLengths.h"
#include "grid/MemoryBudget.h"
#include "grid/XLGrid.h"

#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The failure lines are static texts: writing one allocates nothing, so it can always be written.
const char ErrorQuery[] = "error query \r\n";
const char ErrorSql[] = "error sql \r\n";

void Fail(const char *line) noexcept {
    ExchangeText.SetStatic(line);
    NotifyHost();
}

std::string_view TextOf(const void *text) { return text ? static_cast<const char *>(text) : ""; }

// The statement's columns: their names into TitlesText (only when a row came, as the titles text belongs to
// results that yield one) and onto the grid, whose rows are gone already.
void SetUpColumns(sqlite3_stmt *statement, XLGrid *grid, bool gotRow) {
    const int n = sqlite3_column_count(statement);
    std::vector<std::string> names(static_cast<std::size_t>(n));
    SharedText titles(&ResultBudget);
    for (int i = 0; i < n; ++i) {
        names[static_cast<std::size_t>(i)] = TextOf(sqlite3_column_name(statement, i));
        if (gotRow) {
            titles.Append(names[static_cast<std::size_t>(i)]);
            titles.Append('#');
        }
    }
    if (grid) {
        SetColCount(grid, static_cast<std::uint16_t>(n));
        SetColTitles(grid, names);
        // The count setters leave the scroll position alone; a new result starts at its top-left corner, or a
        // shorter one could be scrolled out of sight.
        SetLeftCol(grid, 0);
        SetTopRow(grid, 0);
    }
    TitlesText = titles;
}

// The records as read: RowsText holds them, and ValueLengths the length of every value in it, so that the grid can
// take them afterwards whatever bytes the values contain. Both, and what the grid will be charged for the rows, are
// charged to the budget while the records live.
class Records {
public:
    Records() = default;
    Records(const Records &) = delete;
    Records &operator=(const Records &) = delete;
    ~Records() { ResultBudget.Release(GridReserved); }

    // Appends one row to RowsText and reserves what the grid will be charged for it; all or nothing. False when
    // memory or the budget ran out.
    bool Add(const std::vector<std::string_view> &values, std::size_t gridCost) noexcept;
    // Hands the grid's reservation back, for the grid to charge as it makes the rows.
    void ReleaseGridReservation() {
        ResultBudget.Release(GridReserved);
        GridReserved = 0;
    }

    std::int32_t Count = 0;
    ValueLengths Lengths;

private:
    std::size_t GridReserved = 0;
};

bool Records::Add(const std::vector<std::string_view> &values, std::size_t gridCost) noexcept {
    try {
        ResultBudget.Charge(gridCost);
    } catch (const std::bad_alloc &) {
        return false;
    }
    // Each value and its terminator, and the row's terminator: the row grows RowsText once.
    std::size_t rowSize = values.size() + 1;
    for (const std::string_view value : values)
        rowSize += value.size();
    try {
        Lengths.Reserve(values.size());
        RowsText.Append(rowSize, [&](char *row) noexcept {
            std::size_t at = 0;
            for (const std::string_view value : values) {
                std::memcpy(row + at, value.data(), value.size());
                at += value.size();
                Lengths.Add(value.size());
                row[at++] = FieldTerminator;
            }
            row[at] = RowTerminator;
        });
    } catch (const std::bad_alloc &) {
        // Nothing was added: the lengths' room and RowsText grow before either is written.
        ResultBudget.Release(gridCost);
        return false;
    }
    GridReserved += gridCost;
    ++Count;
    return true;
}

// The result of a step that stopped reading for want of memory, answered like a failed step.
constexpr int OutOfMemory = SQLITE_NOMEM;

// Steps on from a step that gave a row, up to the row limit or the budget; returns the last step's result.
int ReadRecords(sqlite3_stmt *statement, int step, int n, Records &records) {
    std::vector<std::string_view> values(static_cast<std::size_t>(n));
    const std::size_t rowCost = NewRowCost(static_cast<std::uint16_t>(n));
    while (step == SQLITE_ROW) {
        // What the grid will be charged for the row is reserved as the row is read, so that reading stops where
        // the grid can still take every row read.
        std::size_t gridCost = rowCost;
        for (int j = 0; j < n; ++j) {
            values[static_cast<std::size_t>(j)] = TextOf(sqlite3_column_text(statement, j));
            gridCost += CellStore::CellCost(values[static_cast<std::size_t>(j)].size());
        }
        if (!records.Add(values, gridCost))
            return OutOfMemory;
        if (records.Count == MaxResultRows)
            break;
        step = sqlite3_step(statement);
    }
    return step;
}

// The grid gets the rows read, in one row count change. When memory runs out all the same, the grid keeps the rows
// it could take whole, RowsText is cut to the same rows, and the answer is false.
bool FillGrid(XLGrid *grid, int n, Records &records) {
    records.ReleaseGridReservation();
    const std::string_view rows = RowsText.View();
    std::int32_t filled = 0;
    std::size_t rowBegin = 0;
    bool whole = true;
    try {
        SetRowCount(grid, static_cast<std::uint16_t>(records.Count));
        std::vector<std::string_view> values(static_cast<std::size_t>(n));
        ValueLengths::Reader lengths(records.Lengths);
        for (; filled < records.Count; ++filled) {
            std::size_t begin = rowBegin;
            for (int j = 0; j < n; ++j) {
                const std::size_t length = lengths.Next();
                values[static_cast<std::size_t>(j)] = rows.substr(begin, length);
                begin += length + 1;
            }
            // Read as C strings, the values hold no zero byte.
            SetRowTexts(grid, filled, values, ZeroBytes::None);
            rowBegin = begin + 1; // the row terminator
        }
    } catch (const std::bad_alloc &) {
        whole = false;
        SetRowCount(grid, static_cast<std::uint16_t>(filled));
        RowsText.Truncate(rowBegin);
    }
    // Emptying the grid left no current cell; a result with rows gets one back, so a double click reaches a cell.
    const CellPosition at = GetCurrentCell(grid);
    if (filled > 0 && !Cell(grid, at.Col, at.Row))
        SetCurrentCell(grid, 0, 0);
    return whole;
}

} // namespace

void RunQuery(XLGrid *grid) {
    TitlesText.Clear();
    // Shared rather than copied: the slot may hold a large text the host left there.
    const SharedText query = ExchangeText;
    if (!DbHandle) {
        Fail(ErrorQuery);
        return;
    }
    Statement statement;
    const char *tail = nullptr;
    if (sqlite3_prepare(DbHandle, query.CStr(), -1, &statement.Handle, &tail) != SQLITE_OK || !statement.Handle) {
        Fail(ErrorQuery);
        return;
    }

    // The previous result goes first, so that whatever fails from here on, the grid and RowsText hold the same rows
    // (none at first), and its memory is free for this one.
    RowsText.Clear();
    // One bracket for the whole fill, so the grid repaints once, after the run.
    const UpdateBracket bracket(grid);
    if (grid)
        SetRowCount(grid, 0);
    // With the previous result gone, the limit for this one (on 64 bits it follows the memory available now).
    ResultBudget.ChooseLimit();
    FitSqliteToBudget();
    const CancelCheck cancel(DbHandle);
    int step = sqlite3_step(statement.Handle);
    // Whatever the first step gives, the grid now shows this statement's columns and never the previous rows.
    SetUpColumns(statement.Handle, grid, step == SQLITE_ROW);
    const int n = sqlite3_column_count(statement.Handle);
    // The records are read first and the grid filled from RowsText afterwards: interleaved with the grid's
    // allocations, SQLite's reads ran about twice as slow under Wine, and this way no row is made for nothing.
    Records records;
    step = ReadRecords(statement.Handle, step, n, records);
    bool whole = step == SQLITE_ROW || step == SQLITE_DONE;
    if (grid)
        whole = FillGrid(grid, n, records) && whole;
    if (!whole)
        Fail(ErrorSql);
}

void AnswerRunFailure() noexcept { Fail(ErrorSql); }

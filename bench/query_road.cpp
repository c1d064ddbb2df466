// The query road: openbase + sqlrun of 65,534 rows x 8 columns into the viewer's grid, against the floor of the
// same query prepared, stepped and read into one string, and the grid's part of the road by itself. Prints
// "name: value unit" lines.
#include "BenchHost.h"
#include "BenchSupport.h"
#include "db/Database.h"
#include "db/QueryRunner.h"
#include "grid/XLGrid.h"
#include "plugin/PluginExports.h"
#include "plugin/ViewerForm.h"
#include "toolkit/windows/Control.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

const char Query[] = "select * from wide";

double Floor(const std::string &path, std::size_t &bytes) {
    sqlite3 *db = nullptr;
    sqlite3_open(path.c_str(), &db);
    const auto start = Clock::now();
    sqlite3_stmt *statement = nullptr;
    const char *tail = nullptr;
    sqlite3_prepare(db, Query, -1, &statement, &tail);
    std::string all;
    const int n = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW)
        for (int j = 0; j < n; ++j)
            if (const unsigned char *text = sqlite3_column_text(statement, j))
                all += reinterpret_cast<const char *>(text);
    sqlite3_finalize(statement);
    const double seconds = SecondsSince(start);
    bytes = all.size();
    sqlite3_close(db);
    return seconds;
}

// The query's values as sqlrun holds them once read: one text, and where each value ends in it.
struct Values {
    std::string Text;
    std::vector<std::size_t> Ends;
};

Values ReadValues(const std::string &path) {
    Values values;
    sqlite3 *db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare(db, Query, -1, &statement, nullptr);
    const int n = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW)
        for (int j = 0; j < n; ++j) {
            if (const unsigned char *text = sqlite3_column_text(statement, j))
                values.Text += reinterpret_cast<const char *>(text);
            values.Ends.push_back(values.Text.size());
        }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return values;
}

// The grid's part of sqlrun, in its two steps: the rows made by one count change, then every row's texts.
void FillPhases(XLGrid *grid, const Values &values, std::uint16_t cols, double &rowsSeconds, double &textsSeconds) {
    const auto rows = static_cast<std::uint16_t>(values.Ends.size() / cols);
    const UpdateBracket bracket(grid);
    SetColCount(grid, cols);
    const auto start = Clock::now();
    SetRowCount(grid, rows);
    rowsSeconds = SecondsSince(start);
    const auto textsStart = Clock::now();
    const std::string_view text = values.Text;
    std::vector<std::string_view> row(cols);
    std::size_t begin = 0, value = 0;
    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t c = 0; c < cols; ++c, ++value) {
            row[static_cast<std::size_t>(c)] = text.substr(begin, values.Ends[value] - begin);
            begin = values.Ends[value];
        }
        SetRowTexts(grid, r, row, ZeroBytes::None);
    }
    textsSeconds = SecondsSince(textsStart);
}

void Settle() {
    Sleep(1000);
    Control::ProcessMessages();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Print(const char *name, double value, const char *unit) {
    std::printf("%s_%s: %.3f %s\n", Platform, name, value, unit);
}

} // namespace

int main() {
    const std::string path = (std::filesystem::temp_directory_path() / "bench_query_road.db").string();
    MakeBenchDatabase(path, WideTableSql(65534));
    HWND host = MakeBenchHost("QueryRoadHost", 900, 600);
    SetParentWindow(host);
    Draw(0, 8, 8, 880, 540);
    PumpFor(700);

    // Rounds of the floor and the query road, each after a quiet second: right after heavy work the same SQLite
    // read runs up to twice as slow for a while on some machines (under Wine most of all), which a single
    // back-to-back pair would charge to whichever runs second. The figures are the rounds' medians.
    constexpr int Rounds = 3;
    std::vector<double> floorTimes, runTimes;
    std::size_t floorBytes = 0;
    double bytesPerCell = 0, paintSeconds = 0, rows = 0;
    for (int round = 0; round < Rounds; ++round) {
        Settle();
        floorTimes.push_back(Floor(path, floorBytes));

        // Every round fills an empty grid, as the first query does.
        if (XLGrid *grid = ViewerGrid())
            SetRowCount(grid, 0);
        Settle();
        const std::int64_t heapBefore = HeapInUse();
        const auto start = Clock::now();
        SetFile(path.c_str());
        openbase();
        SetFile(Query);
        sqlrun();
        runTimes.push_back(SecondsSince(start));
        const std::int64_t heapAfter = HeapInUse();

        XLGrid *grid = ViewerGrid();
        if (round > 0 || !grid)
            continue;
        rows = RowCount(grid);
        const double cells = rows * ColCount(grid);
        if (cells > 0)
            bytesPerCell = (static_cast<double>(heapAfter) - static_cast<double>(heapBefore)) / cells;
        const auto paintStart = Clock::now();
        UpdateWindow(grid->GetWindowHandle());
        paintSeconds = SecondsSince(paintStart);
    }
    const double floorSeconds = Median(floorTimes);
    const double runSeconds = Median(runTimes);

    // Where sqlrun's time goes beyond the floor: the grid's rows and texts, filled as sqlrun fills them.
    std::vector<double> rowsTimes, textsTimes;
    if (XLGrid *grid = ViewerGrid()) {
        const Values values = ReadValues(path);
        const auto cols = static_cast<std::uint16_t>(ColCount(grid));
        for (int round = 0; round < Rounds && cols > 0; ++round) {
            SetRowCount(grid, 0);
            Settle();
            double rowsSeconds = 0, textsSeconds = 0;
            FillPhases(grid, values, cols, rowsSeconds, textsSeconds);
            rowsTimes.push_back(rowsSeconds);
            textsTimes.push_back(textsSeconds);
        }
    }

    Print("rows", rows, "rows");
    Print("floor_rows_per_second", 65534 / floorSeconds, "rows/s");
    Print("sqlrun_rows_per_second", rows / runSeconds, "rows/s");
    Print("floor_time", floorSeconds * 1000, "ms");
    Print("sqlrun_time", runSeconds * 1000, "ms");
    // The process's first fill, into memory that nothing has touched before.
    Print("sqlrun_first_time", runTimes[0] * 1000, "ms");
    std::printf("%s_sqlrun_vs_floor: %.2f\n", Platform, runSeconds / floorSeconds);
    if (!rowsTimes.empty()) {
        Print("sqlrun_grid_rows_time", Median(rowsTimes) * 1000, "ms");
        Print("sqlrun_grid_texts_time", Median(textsTimes) * 1000, "ms");
    }
    // Everything the road keeps per cell: the grid and the result texts; the grid fill bench has the empty cell alone.
    Print("sqlrun_bytes_per_cell", bytesPerCell, "bytes");
    Print("first_paint", paintSeconds * 1000, "ms");
    std::fflush(stdout);
    DestroyWindow(host);
    // The plug-in keeps its connection open, so on Windows the file stays locked until the process ends.
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return 0;
}

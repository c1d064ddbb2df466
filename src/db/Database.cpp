// The database connection: openbase's opening and checking, and the close at unload.
#include "db/Database.h"

#include "db/NotifyHost.h"
#include "db/SharedState.h"
#include "db/Statement.h"
#include "grid/MemoryBudget.h"
#include "toolkit/objects/TextEncoding.h"

#include <algorithm>

sqlite3 *DbHandle = nullptr;

namespace {

const char CheckQuery[] = "select * from sqlite_master;";

// SQLite's own heap lives in the host's address space like a result, so it gets a share of the same budget: a
// quarter for all its memory (cache, statements, values being built, in-memory databases), an eighth for one value.
// A value read is also copied into a cell and the rows text, so its longest is an eighth, and one result plus SQLite
// stay within 1.25 budgets (800 MB in a 32-bit host). SQLite answers a statement that passes either with SQLITE_NOMEM
// or SQLITE_TOOBIG, a failed step.
constexpr std::size_t SqliteHeapShare = 4;
constexpr std::size_t SqliteValueShare = 8;

} // namespace

void FitSqliteToBudget() {
    if (!DbHandle)
        return;
    // On 64 bits the share grows with the limit chosen for the query; a limit a test fixed small leaves SQLite the
    // 32-bit share.
    const std::size_t budget = std::max(ResultBudget.Limit(), MemoryBudget::DefaultLimit);
    sqlite3_hard_heap_limit64(static_cast<sqlite3_int64>(budget / SqliteHeapShare));
    // SQLite refuses any longer value than 1,000,000,000 bytes in any case; a larger share would not fit an int.
    const std::size_t longest = std::min<std::size_t>(budget / SqliteValueShare, 1000000000);
    sqlite3_limit(DbHandle, SQLITE_LIMIT_LENGTH, static_cast<int>(longest));
}

void OpenDatabase() {
    const std::string path = HostTextToUtf8(ExchangeText.Str());
    sqlite3 *previous = DbHandle;
    const int opened = sqlite3_open(path.c_str(), &DbHandle);
    // DbHandle holds the newest connection, whatever the result; the one it
    // replaces is closed once nothing uses it any more.
    if (previous != DbHandle)
        sqlite3_close_v2(previous);

    if (opened != SQLITE_OK) {
        ExchangeText = "no open db\r\n";
    } else {
        FitSqliteToBudget();
        Statement check;
        const char *tail = nullptr;
        const int prepared = sqlite3_prepare(DbHandle, CheckQuery, -1, &check.Handle, &tail);
        ExchangeText = prepared == SQLITE_OK ? "select db ok\r\n" : "error select db\r\n";
    }
    NotifyHost();
}

void CloseDatabase() {
    sqlite3_close_v2(DbHandle);
    DbHandle = nullptr;
}

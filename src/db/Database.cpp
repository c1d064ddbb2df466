// The database connection: openbase's opening and checking, and the close at unload.
#include "db/Database.h"

#include "db/NotifyHost.h"
#include "db/SharedState.h"
#include "db/Statement.h"
#include "toolkit/objects/TextEncoding.h"

sqlite3 *DbHandle = nullptr;

namespace {

const char CheckQuery[] = "select * from sqlite_master;";

} // namespace

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

// A prepared statement owned for one call.
#pragma once

#include <sqlite3.h>

// Finalized on every path, so no lock outlives the call that prepared it.
struct Statement {
    sqlite3_stmt *Handle = nullptr;
    Statement() = default;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    ~Statement() { sqlite3_finalize(Handle); }
};

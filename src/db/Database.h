// The plug-in's one database connection.
#pragma once

#include <sqlite3.h>

#include <string>

// The newest connection opened by openbase; null until then.
extern sqlite3 *DbHandle;

// openbase's body: opens the database named by ExchangeText, checks it, puts
// the status line into ExchangeText and notifies the host.
void OpenDatabase();
// Gives SQLite its share of the result budget's current limit: a quarter for its heap, an eighth for one value.
// Called as a connection opens and as a query starts, when the budget chooses its limit.
void FitSqliteToBudget();
// Closes the connection, once no statement uses it any more, and clears DbHandle: at unload only.
void CloseDatabase();

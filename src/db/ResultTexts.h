// The last query result as two flat texts the host fetches.
#pragma once

#include "db/SharedText.h"

constexpr char FieldTerminator = '\x19';
constexpr char RowTerminator = '\x18';

// Each column name followed by "#". Charged to the result budget.
extern SharedText TitlesText;
// Each value followed by FieldTerminator, each row by RowTerminator. Charged to the result budget.
extern SharedText RowsText;

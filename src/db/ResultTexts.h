// The last query result as two flat texts the host fetches.
#pragma once

#include <string>

constexpr char FieldTerminator = '\x19';
constexpr char RowTerminator = '\x18';

// Each column name followed by "#".
extern std::string TitlesText;
// Each value followed by FieldTerminator, each row by RowTerminator.
extern std::string RowsText;

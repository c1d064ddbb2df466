// sqlrun's body: the query runner.
#pragma once

#include <cstdint>

class XLGrid;

// The most rows one result holds, in the grid and in RowsText alike: one below the grid's 16-bit row count limit.
constexpr std::int32_t MaxResultRows = 65534;

// Runs the first statement of ExchangeText on DbHandle into the grid (none before the viewer exists) and into
// TitlesText and RowsText. Failures replace ExchangeText with an error line and notify the host.
void RunQuery(XLGrid *grid);

// sqlrun's body: the query runner.
#pragma once

#include <cstdint>

class XLGrid;

// The most rows one result holds, in the grid and in RowsText alike: one below the grid's 16-bit row count limit.
constexpr std::int32_t MaxResultRows = 65534;

// Runs the first statement of ExchangeText on DbHandle into the grid (none before the viewer exists) and into
// TitlesText and RowsText. Failures replace ExchangeText with an error line and notify the host: a failed step,
// the result budget reached and Esc alike stop reading and keep the rows read so far in the grid and RowsText.
// An allocation failure outside the reading leaves both holding the same rows and goes on to the caller.
void RunQuery(XLGrid *grid);

// sqlrun's answer to a failure that left RunQuery: the line of a failed step, and the click.
void AnswerRunFailure() noexcept;

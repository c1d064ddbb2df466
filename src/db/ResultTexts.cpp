// The result texts, both charged to the result budget, which counts them with the grid's cells.
#include "db/ResultTexts.h"

#include "grid/MemoryBudget.h"

SharedText TitlesText{&ResultBudget};
SharedText RowsText{&ResultBudget};

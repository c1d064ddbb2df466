#include "db/ResultTexts.h"

std::string TitlesText;
std::string RowsText;

// The result budget's one instance.
#include "grid/MemoryBudget.h"

MemoryBudget ResultBudget;

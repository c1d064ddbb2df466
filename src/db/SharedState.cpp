#include "db/SharedState.h"

HWND HostWindow = nullptr;
ViewRectangle ViewRect;
std::string ExchangeText;
std::string PathText;
void *DataPointer = nullptr;

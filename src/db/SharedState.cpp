// The library-wide state shared by the exports, the viewer and the database code.
#include "db/SharedState.h"

HWND HostWindow = nullptr;
ViewRectangle ViewRect;
SharedText ExchangeText;
std::string PathText;
void *DataPointer = nullptr;

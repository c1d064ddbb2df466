#include "plugin/PluginState.h"

HWND HostWindow = nullptr;
ViewRectangle ViewRect;
std::string ExchangeText;
std::string PathText;
void *DataPointer = nullptr;

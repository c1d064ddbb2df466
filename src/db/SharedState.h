// Library-wide state shared by the exports, the viewer and the database code: what the host gave and where it
// is answered.
#pragma once

#include "db/SharedText.h"
#include "toolkit/platform/Win32.h"

#include <cstdint>
#include <string>

struct ViewRectangle {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

extern HWND HostWindow;
extern ViewRectangle ViewRect;
// The one text slot between host and plug-in, read by the host through GetFile. It shares a result text's storage
// when it takes one, so that handing over a large result needs no second copy.
extern SharedText ExchangeText;
extern std::string PathText;
extern void *DataPointer;

// Texts from the host are copied on entry; a null pointer reads as an empty text.
inline std::string CopyHostText(const char *text) { return text ? std::string(text) : std::string(); }

// The plug-in interface the host calls: C calling convention; texts, pointers and windows are pointer-sized, the
// integers and numeric results 32 bits on both widths.
#pragma once

#include "toolkit/platform/Win32.h"

#include <cstdint>

extern "C" {
const char *Copyright();
const char *GetShortInfo();
const char *GetInfo();
int HasIntDlg();
void SetParentWindow(HWND window);
// The first argument is ignored.
BOOL Draw(std::int32_t, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
void SetPath(const char *path);
void SetFile(const char *text);
const char *GetFile();
void SetData(void *data);
void *GetData();
void *CreateObject();
int Interface();

void openbase();
void sqlrun();
void gettituls();
void getrows();
}

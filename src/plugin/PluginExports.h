// The plug-in interface the host calls: C calling convention, 32-bit arguments.
#pragma once

#include "toolkit/platform/Win32.h"

extern "C" {
const char *Copyright();
const char *GetShortInfo();
const char *GetInfo();
int HasIntDlg();
void SetPath(const char *path);
void SetFile(const char *text);
const char *GetFile();
void SetData(void *data);
void *GetData();
void *CreateObject();
int Interface();

void openbase();
void gettituls();
void getrows();
}

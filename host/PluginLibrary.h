// The plug-in as the host sees it: a DLL and the exports it resolves by name.
#pragma once

#include <windows.h>

// PLUGIN_FILE_NAME: the DLL of this build's width.
#include "plugin/ProductInfo.h"

#include <string>

struct PluginLibrary {
    using TextFn = const char *(__cdecl *)();
    using IntFn = int(__cdecl *)();
    using SetTextFn = void(__cdecl *)(const char *);
    using VoidFn = void(__cdecl *)();
    using SetDataFn = void(__cdecl *)(void *);
    using GetDataFn = void *(__cdecl *)();
    using SetParentWindowFn = void(__cdecl *)(HWND);
    using DrawFn = BOOL(__cdecl *)(int, int left, int top, int width, int height);

    HMODULE Module = nullptr;
    TextFn Copyright = nullptr, GetShortInfo = nullptr, GetInfo = nullptr, GetFile = nullptr;
    IntFn HasIntDlg = nullptr, Interface = nullptr;
    SetTextFn SetPath = nullptr, SetFile = nullptr;
    SetDataFn SetData = nullptr;
    GetDataFn GetData = nullptr, CreateObject = nullptr;
    VoidFn openbase = nullptr, sqlrun = nullptr, gettituls = nullptr, getrows = nullptr;
    SetParentWindowFn SetParentWindow = nullptr;
    DrawFn Draw = nullptr;

    // Loads the DLL and resolves every export; an empty text on success, else what is missing.
    std::string Load(const char *path);
    ~PluginLibrary();
};

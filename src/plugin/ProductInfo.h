// The plug-in's names and notices, read by the exports and by the version resource alike: plain macros, since the
// resource compiler's preprocessor reads this file too.
#pragma once

#define PLUGIN_COMPANY "Tessaro Software"
#define PLUGIN_COPYRIGHT "Copyright (c) 2026 Tessaro Software. All rights reserved."
#define PLUGIN_PRODUCT_NAME "Tessaro sqlite plugin"
// A host loads only a DLL of its own width, so the two builds differ in file name and description; the 32-bit one
// keeps the name it always had.
#ifdef _WIN64
#define PLUGIN_DESCRIPTION "SQLite database viewer plug-in for 64-bit hosts"
#define PLUGIN_INTERNAL_NAME "sqliteview64"
#define PLUGIN_FILE_NAME "sqliteview64.dll"
#else
#define PLUGIN_DESCRIPTION "SQLite database viewer plug-in for 32-bit hosts"
#define PLUGIN_INTERNAL_NAME "sqliteview"
#define PLUGIN_FILE_NAME "sqliteview.dll"
#endif

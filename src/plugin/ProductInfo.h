// The plug-in's names and notices, read by the exports and by the version resource alike: plain macros, since the
// resource compiler's preprocessor reads this file too.
#pragma once

#define PLUGIN_COMPANY "Tessaro Software"
#define PLUGIN_COPYRIGHT "Copyright (c) 2026 Tessaro Software. All rights reserved."
#define PLUGIN_PRODUCT_NAME "Tessaro sqlite plugin"
#define PLUGIN_DESCRIPTION "SQLite database viewer plug-in"

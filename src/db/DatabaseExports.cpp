#include "db/Database.h"
#include "db/ResultTexts.h"
#include "plugin/ExportGuard.h"
#include "plugin/PluginExports.h"
#include "plugin/PluginState.h"

extern "C" {

void openbase() { GuardExport(OpenDatabase); }

void gettituls() {
    GuardExport([] { ExchangeText = TitlesText; });
}

void getrows() {
    GuardExport([] { ExchangeText = RowsText; });
}
}

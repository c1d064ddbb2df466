#include "db/Database.h"
#include "db/QueryRunner.h"
#include "db/ResultTexts.h"
#include "db/SharedState.h"
#include "plugin/ExportGuard.h"
#include "plugin/PluginExports.h"
#include "plugin/ViewerForm.h"

extern "C" {

void openbase() { GuardExport(OpenDatabase); }

void sqlrun() {
    GuardExport([] { RunQuery(ViewerGrid()); });
}

void gettituls() {
    GuardExport([] { ExchangeText = TitlesText; });
}

void getrows() {
    GuardExport([] { ExchangeText = RowsText; });
}
}

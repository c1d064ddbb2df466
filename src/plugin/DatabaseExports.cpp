// The database exports: opening, running a query and fetching its two texts.
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
    GuardExportAnswering([] { RunQuery(ViewerGrid()); }, AnswerRunFailure);
}

// The exchange text shares the result text's storage, so these allocate nothing and cannot fail.
void gettituls() {
    GuardExport([] { ExchangeText = TitlesText; });
}

void getrows() {
    GuardExport([] { ExchangeText = RowsText; });
}
}

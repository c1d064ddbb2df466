// The plain exports: the plug-in's texts, the exchange text, the host's data pointer and the settings dialog.
#include "plugin/PluginExports.h"

#include "db/SharedState.h"
#include "plugin/ExportGuard.h"
#include "plugin/ProductInfo.h"
#include "plugin/SettingsForm.h"

extern "C" {

const char *Copyright() { return PLUGIN_COPYRIGHT; }

const char *GetShortInfo() { return PLUGIN_PRODUCT_NAME; }

const char *GetInfo() {
    return "Tessaro sqlite Vexlet SDK\r\n"
           "www.tessaro.example\r\n"
           "Written by the Tessaro plug-in team\r\n";
}

int HasIntDlg() { return 1; }

void SetPath(const char *path) {
    GuardExport([&] { PathText = CopyHostText(path); });
}

void SetFile(const char *text) {
    GuardExport([&] { ExchangeText = text; });
}

const char *GetFile() { return ExchangeText.CStr(); }

void SetData(void *data) { DataPointer = data; }

void *GetData() { return DataPointer; }

void *CreateObject() { return nullptr; }

int Interface() { return GuardExport(RunSettingsDialog, 0); }
}

// The exports that only hand back texts or store what the host gives: information, exchange text, path, data.

#include "plugin/PluginExports.h"

#include "db/SharedState.h"
#include "plugin/ExportGuard.h"
#include "plugin/ProductInfo.h"
#include "plugin/SettingsForm.h"

namespace {
const char EmptyText[] = "";
}

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
    GuardExport([&] { ExchangeText = CopyHostText(text); });
}

const char *GetFile() { return ExchangeText.empty() ? EmptyText : ExchangeText.c_str(); }

void SetData(void *data) { DataPointer = data; }

void *GetData() { return DataPointer; }

void *CreateObject() { return nullptr; }

int Interface() { return GuardExport(RunSettingsDialog, 0); }
}

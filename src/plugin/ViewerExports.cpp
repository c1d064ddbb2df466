#include "plugin/ExportGuard.h"
#include "plugin/PluginExports.h"
#include "plugin/ViewerForm.h"

extern "C" {

void SetParentWindow(HWND window) {
    GuardExport([&] { AttachToHost(window); });
}

BOOL Draw(std::int32_t, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    return GuardExport([&] { return PlaceViewer(left, top, width, height); }, BOOL{FALSE});
}
}

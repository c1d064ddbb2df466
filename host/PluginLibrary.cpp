#include "PluginLibrary.h"

namespace {
template <class Fn> void Resolve(HMODULE module, Fn &fn, const char *name, std::string &missing) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void *>(GetProcAddress(module, name)));
    if (!fn)
        missing += std::string(missing.empty() ? "" : " ") + name;
}
} // namespace

std::string PluginLibrary::Load(const char *path) {
    Module = LoadLibraryA(path);
    if (!Module)
        return std::string("cannot load ") + path;
    std::string missing;
    Resolve(Module, Copyright, "Copyright", missing);
    Resolve(Module, GetShortInfo, "GetShortInfo", missing);
    Resolve(Module, GetInfo, "GetInfo", missing);
    Resolve(Module, HasIntDlg, "HasIntDlg", missing);
    Resolve(Module, SetPath, "SetPath", missing);
    Resolve(Module, SetFile, "SetFile", missing);
    Resolve(Module, GetFile, "GetFile", missing);
    Resolve(Module, SetData, "SetData", missing);
    Resolve(Module, GetData, "GetData", missing);
    Resolve(Module, CreateObject, "CreateObject", missing);
    Resolve(Module, Interface, "Interface", missing);
    Resolve(Module, openbase, "openbase", missing);
    Resolve(Module, sqlrun, "sqlrun", missing);
    Resolve(Module, SetParentWindow, "SetParentWindow", missing);
    Resolve(Module, Draw, "Draw", missing);
    Resolve(Module, gettituls, "gettituls", missing);
    Resolve(Module, getrows, "getrows", missing);
    return missing.empty() ? std::string() : "missing exports: " + missing;
}

PluginLibrary::~PluginLibrary() {
    if (Module)
        FreeLibrary(Module);
}

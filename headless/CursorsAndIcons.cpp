// Cursors and icons: the system's stock ones, the module's own resources (icon "MAINICON", cursor 32765), copies
// made by CopyImage, the current cursor and the pointer position.
#include "headless/Inspect.h"
#include "headless/WindowTable.h"

#include <strings.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

namespace headless {
namespace {

struct Images {
    std::mutex Lock;
    // Shared images by owner (null for the system) and name; a name given as an integer is kept as "#n".
    std::map<std::pair<HINSTANCE, std::string>, HANDLE> Shared;
    std::set<HANDLE> Copies;
    std::uintptr_t Next = 0x50000;
    HCURSOR Current = nullptr;
    POINT Pointer{800, 600};

    HANDLE NewHandle() { return reinterpret_cast<HANDLE>(Next += 4); }
};

Images &State() {
    static Images images;
    return images;
}

std::string Key(LPCSTR name) {
    return IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<std::uintptr_t>(name)) : std::string(name);
}

bool Exists(HINSTANCE instance, const std::string &key, bool icon) {
    if (!instance)
        return icon ? key == "#32512" : (key == "#32512" || key == "#32513" || key == "#32514" || key == "#32644");
    return icon ? strcasecmp(key.c_str(), "MAINICON") == 0 : key == "#32765";
}

HANDLE LoadShared(HINSTANCE instance, LPCSTR name, bool icon) {
    if (!name)
        return nullptr;
    const std::string key = (icon ? "icon:" : "cursor:") + Key(name);
    if (!Exists(instance, Key(name), icon)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    Images &images = State();
    std::lock_guard guard(images.Lock);
    HANDLE &handle = images.Shared[{instance, key}];
    if (!handle)
        handle = images.NewHandle();
    return handle;
}

} // namespace

int LiveIconCount() {
    Images &images = State();
    std::lock_guard guard(images.Lock);
    return static_cast<int>(images.Copies.size());
}

} // namespace headless

using namespace headless;

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) { return static_cast<HCURSOR>(LoadShared(instance, name, false)); }
HICON LoadIconA(HINSTANCE instance, LPCSTR name) { return static_cast<HICON>(LoadShared(instance, name, true)); }

HANDLE CopyImage(HANDLE image, UINT type, int, int, UINT) {
    if (!image || (type != IMAGE_ICON && type != IMAGE_CURSOR))
        return nullptr;
    Images &images = State();
    std::lock_guard guard(images.Lock);
    HANDLE copy = images.NewHandle();
    images.Copies.insert(copy);
    return copy;
}

// Shared images outlive any request to destroy them.
BOOL DestroyIcon(HICON icon) {
    Images &images = State();
    std::lock_guard guard(images.Lock);
    images.Copies.erase(icon);
    return icon != nullptr;
}

BOOL DestroyCursor(HCURSOR cursor) { return DestroyIcon(cursor); }

HCURSOR SetCursor(HCURSOR cursor) {
    Images &images = State();
    std::lock_guard guard(images.Lock);
    const HCURSOR previous = images.Current;
    images.Current = cursor;
    return previous;
}

HCURSOR GetCursor() {
    Images &images = State();
    std::lock_guard guard(images.Lock);
    return images.Current;
}

BOOL GetCursorPos(LPPOINT point) {
    if (!point)
        return FALSE;
    Images &images = State();
    std::lock_guard guard(images.Lock);
    *point = images.Pointer;
    return TRUE;
}

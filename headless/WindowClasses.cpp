// Window classes: registration and lookup, with the system classes "BUTTON" and "EDIT" always present.
#include "headless/SystemClasses.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

namespace headless {
namespace {

struct Registry {
    std::mutex Lock;
    std::vector<std::pair<ATOM, std::shared_ptr<WindowClass>>> Classes;
    ATOM NextAtom = 0xC000;

    Registry() {
        AddSystem("BUTTON", CS_DBLCLKS | CS_VREDRAW | CS_HREDRAW | CS_PARENTDC, &ButtonProc, ButtonExtraBytes,
                  IDC_ARROW);
        AddSystem("EDIT", CS_DBLCLKS | CS_PARENTDC, &EditProc, EditExtraBytes, IDC_IBEAM);
    }

    void AddSystem(const char *name, UINT style, WNDPROC proc, int extra, LPCSTR cursor) {
        auto cls = std::make_shared<WindowClass>();
        cls->Name = name;
        cls->System = true;
        cls->Info.style = style | CS_GLOBALCLASS;
        cls->Info.lpfnWndProc = proc;
        cls->Info.cbWndExtra = extra;
        cls->Info.hCursor = LoadCursorA(nullptr, cursor);
        cls->Info.lpszClassName = cls->Name.c_str();
        Classes.emplace_back(NextAtom++, std::move(cls));
    }
};

Registry &Classes() {
    static Registry registry;
    return registry;
}

bool NameIs(const WindowClass &cls, ATOM atom, ATOM wantedAtom, LPCSTR name) {
    return IS_INTRESOURCE(name) ? atom == wantedAtom : strcasecmp(cls.Name.c_str(), name) == 0;
}

// Local classes of the instance first, then global ones, then the system's; the caller holds the lock.
std::pair<ATOM, std::shared_ptr<WindowClass>> *Lookup(Registry &registry, HINSTANCE instance, LPCSTR name) {
    const ATOM wanted = IS_INTRESOURCE(name) ? static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name)) : 0;
    for (int round = 0; round < 3; ++round) {
        for (auto &entry : registry.Classes) {
            const WindowClass &cls = *entry.second;
            if (!NameIs(cls, entry.first, wanted, name))
                continue;
            const bool global = (cls.Info.style & CS_GLOBALCLASS) != 0;
            if ((round == 0 && !cls.System && !global && cls.Info.hInstance == instance) ||
                (round == 1 && !cls.System && global) || (round == 2 && cls.System))
                return &entry;
        }
    }
    return nullptr;
}

} // namespace

std::shared_ptr<WindowClass> FindClass(HINSTANCE instance, LPCSTR name) {
    if (!name)
        return nullptr;
    Registry &registry = Classes();
    std::lock_guard guard(registry.Lock);
    auto *entry = Lookup(registry, instance, name);
    return entry ? entry->second : nullptr;
}

void NotifyParent(HWND hwnd, WORD code) {
    const Window *window = Find(hwnd);
    if (!window || !(window->Style & WS_CHILD))
        return;
    const auto id = static_cast<WORD>(window->Id);
    SendMessageA(window->Parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(hwnd));
}

} // namespace headless

using namespace headless;

ATOM RegisterClassA(const WNDCLASSA *wndClass) {
    if (!wndClass || !wndClass->lpszClassName || IS_INTRESOURCE(wndClass->lpszClassName)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Registry &registry = Classes();
    std::lock_guard guard(registry.Lock);
    for (auto &entry : registry.Classes) {
        const WindowClass &cls = *entry.second;
        if (!cls.System && cls.Info.hInstance == wndClass->hInstance &&
            strcasecmp(cls.Name.c_str(), wndClass->lpszClassName) == 0) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
    }
    auto cls = std::make_shared<WindowClass>();
    cls->Name = wndClass->lpszClassName;
    cls->Info = *wndClass;
    cls->Info.lpszClassName = cls->Name.c_str();
    cls->Info.lpszMenuName = nullptr;
    const ATOM atom = registry.NextAtom++;
    registry.Classes.emplace_back(atom, std::move(cls));
    return atom;
}

BOOL GetClassInfoA(HINSTANCE instance, LPCSTR className, LPWNDCLASSA wndClass) {
    const auto cls = FindClass(instance, className);
    if (!cls) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (wndClass) {
        *wndClass = cls->Info;
        wndClass->style &= ~CS_GLOBALCLASS;
        if (cls->System)
            wndClass->hInstance = nullptr;
    }
    return TRUE;
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance) {
    if (!className)
        return FALSE;
    Registry &registry = Classes();
    std::lock_guard guard(registry.Lock);
    auto *entry = Lookup(registry, instance, className);
    if (!entry || entry->second->System) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (WindowTable::Instance().HasWindowsOf(entry->second.get())) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    registry.Classes.erase(registry.Classes.begin() + (entry - registry.Classes.data()));
    return TRUE;
}

DWORD GetClassLongA(HWND hwnd, int index) {
    const Window *window = Find(hwnd);
    if (!window || !window->Class)
        return 0;
    switch (index) {
    case GCL_STYLE:
        return window->Class->Info.style;
    case GCL_CBWNDEXTRA:
        return static_cast<DWORD>(window->Class->Info.cbWndExtra);
    default:
        return 0;
    }
}

DWORD SetClassLongA(HWND hwnd, int index, LONG value) {
    Window *window = Find(hwnd);
    if (!window || !window->Class || index != GCL_STYLE)
        return 0;
    std::lock_guard guard(Classes().Lock);
    const DWORD previous = window->Class->Info.style;
    window->Class->Info.style = static_cast<UINT>(value);
    return previous;
}

int GetClassNameA(HWND hwnd, LPSTR name, int size) {
    const Window *window = Find(hwnd);
    if (!window || !window->Class || !name || size <= 0)
        return 0;
    const int length = std::min<int>(size - 1, static_cast<int>(window->Class->Name.size()));
    std::memcpy(name, window->Class->Name.data(), static_cast<std::size_t>(length));
    name[length] = '\0';
    return length;
}

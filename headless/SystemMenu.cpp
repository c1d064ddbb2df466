// System menus: created on first request with the standard commands, then edited by command or position.
#include "headless/WindowTable.h"

#include <algorithm>
#include <map>

namespace headless {
namespace {

struct MenuItem {
    UINT Id;
    UINT State;
};

std::mutex menusLock;
std::map<HMENU, std::vector<MenuItem>> menus;
std::uintptr_t nextMenu = 0x30000;

std::vector<MenuItem> *Items(HMENU menu) {
    const auto found = menus.find(menu);
    return found == menus.end() ? nullptr : &found->second;
}

std::vector<MenuItem>::iterator Locate(std::vector<MenuItem> &items, UINT item, UINT flags) {
    if (flags & MF_BYPOSITION)
        return item < items.size() ? items.begin() + item : items.end();
    return std::find_if(items.begin(), items.end(), [item](const MenuItem &m) { return m.Id == item && item; });
}

} // namespace
} // namespace headless

using namespace headless;

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
    Window *window = Find(hwnd);
    if (!window || !(window->Style & WS_SYSMENU))
        return nullptr;
    std::lock_guard guard(menusLock);
    if (revert) {
        menus.erase(window->SystemMenu);
        window->SystemMenu = nullptr;
        return nullptr;
    }
    if (!window->SystemMenu) {
        window->SystemMenu = reinterpret_cast<HMENU>(nextMenu += 4);
        menus[window->SystemMenu] = {{SC_RESTORE, MF_ENABLED},  {SC_MOVE, MF_ENABLED},     {SC_SIZE, MF_ENABLED},
                                     {SC_MINIMIZE, MF_ENABLED}, {SC_MAXIMIZE, MF_ENABLED}, {0, MF_SEPARATOR},
                                     {SC_CLOSE, MF_ENABLED}};
    }
    return window->SystemMenu;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
    std::lock_guard guard(menusLock);
    std::vector<MenuItem> *items = Items(menu);
    if (!items)
        return FALSE;
    const auto found = Locate(*items, position, flags);
    if (found == items->end())
        return FALSE;
    items->erase(found);
    return TRUE;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable) {
    std::lock_guard guard(menusLock);
    std::vector<MenuItem> *items = Items(menu);
    if (!items)
        return -1;
    const auto found = Locate(*items, item, enable);
    if (found == items->end())
        return -1;
    const UINT previous = found->State & (MF_GRAYED | MF_DISABLED);
    found->State = (found->State & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(previous);
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    std::lock_guard guard(menusLock);
    std::vector<MenuItem> *items = Items(menu);
    if (!items)
        return static_cast<UINT>(-1);
    const auto found = Locate(*items, item, flags);
    return found == items->end() ? static_cast<UINT>(-1) : found->State;
}

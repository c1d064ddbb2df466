// Window DCs of the headless GDI. Each top-level window (and the desktop) has
// a 32-bit surface the size of its client area; child windows draw into their
// top-level window's surface, each within its own visible part. A window's
// pixels stay until something draws over them, and reading a window DC reads
// what was drawn there, children included.
#include "headless/GdiObjects.h"
#include "headless/WindowSurface.h"
#include "headless/WindowTable.h"

#include <algorithm>

namespace headless {
namespace {

std::unordered_map<HWND, std::shared_ptr<gdi::Surface>> surfaces;

// The window whose surface a window draws on: its top-level window, or the desktop itself.
Window &TopLevelOf(Window &window) {
    Window *root = Find(GetAncestor(window.Handle, GA_ROOT));
    return root ? *root : window;
}

// The top-level window's surface at its current client size; a new size keeps
// the pixels that still fit, from the top-left corner.
std::shared_ptr<gdi::Surface> SurfaceOf(Window &top) {
    std::shared_ptr<gdi::Surface> &surface = surfaces[top.Handle];
    const RECT client = ClientRectOf(top);
    const LONG width = client.right, height = client.bottom;
    if (surface && surface->Width == width && surface->Height == height)
        return surface;
    std::shared_ptr<gdi::Surface> fresh = gdi::NewSurface(width, height, 32);
    if (surface)
        for (int y = 0; y < std::min<int>(height, surface->Height); ++y)
            for (int x = 0; x < std::min<int>(width, surface->Width); ++x)
                fresh->Set(x, y, surface->Get(x, y));
    surface = fresh;
    return surface;
}

// The part of a window's client area its DC may draw on, in client coordinates:
// inside every ancestor's client area, without the children a WS_CLIPCHILDREN
// window leaves out or the siblings above a WS_CLIPSIBLINGS child.
gdi::RectList VisibleArea(Window &window, Window &top) {
    if (!IsShown(window))
        return {};
    const POINT origin = ClientOrigin(window);
    gdi::RectList area = gdi::RectsOf(ClientRectOf(window));
    for (Window *ancestor = Find(window.Parent); ancestor && ancestor != &top && ancestor->Parent;
         ancestor = Find(ancestor->Parent)) {
        const POINT at = ClientOrigin(*ancestor);
        const RECT inside = Offset(ClientRectOf(*ancestor), at.x - origin.x, at.y - origin.y);
        area = gdi::CombineRects(area, gdi::RectsOf(inside), RGN_AND);
    }
    if (window.Style & WS_CLIPCHILDREN)
        for (HWND handle : window.Children)
            if (Window *child = Find(handle); child && (child->Style & WS_VISIBLE))
                area = gdi::CombineRects(area, gdi::RectsOf(child->Rect), RGN_DIFF);
    Window *parent = Find(window.Parent);
    if ((window.Style & WS_CHILD) && (window.Style & WS_CLIPSIBLINGS) && parent)
        for (HWND handle : parent->Children) {
            if (handle == window.Handle)
                break; // siblings further on lie below
            if (Window *sibling = Find(handle); sibling && (sibling->Style & WS_VISIBLE))
                area = gdi::CombineRects(
                    area, gdi::RectsOf(Offset(sibling->Rect, -window.Client.left, -window.Client.top)), RGN_DIFF);
        }
    return area;
}

} // namespace

HDC CreateWindowDC(HWND hwnd) {
    auto lock = gdi::Locked();
    Window *window = Find(hwnd);
    if (!window)
        return nullptr;
    Window &top = TopLevelOf(*window);
    const HDC handle = gdi::NewDC(gdi::DCKind::Window, SurfaceOf(top));
    gdi::DeviceContext *dc = gdi::FindDC(handle);
    // The desktop's DC is the whole screen, whatever lies on it.
    if (window != &top || top.Parent) {
        const POINT origin = ClientOrigin(*window), topOrigin = ClientOrigin(top);
        dc->Origin = POINT{origin.x - topOrigin.x, origin.y - topOrigin.y};
        dc->Visible = VisibleArea(*window, top);
    }
    return handle;
}

void ForgetWindowSurface(HWND hwnd) {
    auto lock = gdi::Locked();
    surfaces.erase(hwnd);
}

void ReleaseWindowDC(HDC handle) {
    auto lock = gdi::Locked();
    gdi::DeviceContext *dc = gdi::FindDC(handle);
    if (!dc)
        return;
    if (dc->Target == gdi::DCKind::Memory) {
        gdi::Table::Instance().NoteMisuse("ReleaseDC of a memory DC");
        return;
    }
    gdi::RemoveDC(handle);
}

} // namespace headless

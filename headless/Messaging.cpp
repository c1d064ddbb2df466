// Delivering messages to window procedures: SendMessage (a direct call on the owning thread, a waited-for call
// from any other), DispatchMessage and CallWindowProc, with the inspection log of what was delivered.
#include "headless/Inspect.h"
#include "headless/WindowTable.h"

#include <deque>

namespace headless {
namespace {

std::mutex logLock;
std::deque<DeliveredMessage> deliveredLog;

LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool posted) {
    const Window *window = Find(hwnd);
    if (!window || !window->Proc)
        return 0;
    {
        std::lock_guard guard(logLock);
        deliveredLog.push_back(DeliveredMessage{hwnd, message, wParam, lParam, posted});
        if (deliveredLog.size() > LogLimit)
            deliveredLog.pop_front();
    }
    return window->Proc(hwnd, message, wParam, lParam);
}

struct SentMessage {
    HWND Window;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
};

LRESULT DeliverSent(void *context) {
    const auto *sent = static_cast<const SentMessage *>(context);
    return Deliver(sent->Window, sent->Message, sent->WParam, sent->LParam, false);
}

} // namespace

std::vector<DeliveredMessage> DeliveredMessages() {
    std::lock_guard guard(logLock);
    return {deliveredLog.begin(), deliveredLog.end()};
}

void ClearDeliveredMessages() {
    std::lock_guard guard(logLock);
    deliveredLog.clear();
}

} // namespace headless

using namespace headless;

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const DWORD thread = WindowTable::Instance().ThreadOf(hwnd);
    if (!thread) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    SentMessage sent{hwnd, message, wParam, lParam};
    return CallOnThread(thread, &DeliverSent, &sent);
}

LRESULT DispatchMessageA(const MSG *msg) {
    if (!msg || !msg->hwnd)
        return 0;
    const LRESULT result = Deliver(msg->hwnd, msg->message, msg->wParam, msg->lParam, true);
    if (msg->message == WM_PAINT)
        if (Window *window = Find(msg->hwnd))
            EraseIfNeeded(*window);
    return result;
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

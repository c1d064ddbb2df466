// Per-thread message queues. Posting is safe from any thread, as on Windows;
// a post to a null window goes to the posting thread's own queue.
#include "toolkit/platform/headless/Inspect.h"
#include "toolkit/platform/headless/WindowTable.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>

namespace headless {
namespace {

struct ThreadQueue {
    std::deque<MSG> Posted;
    bool QuitPosted = false;
    int QuitCode = 0;
};

std::mutex queuesLock;
std::condition_variable queuesChanged;
std::map<DWORD, ThreadQueue> queues;
std::vector<PostedMessage> postLog;

bool Matches(const MSG &msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (hwnd && msg.hwnd != hwnd)
        return false;
    if (filterMin == 0 && filterMax == 0)
        return true;
    return msg.message >= filterMin && msg.message <= filterMax;
}

// Takes (or peeks) the first matching message of the calling thread's queue.
bool Take(ThreadQueue &queue, LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove) {
    for (auto it = queue.Posted.begin(); it != queue.Posted.end(); ++it) {
        if (!Matches(*it, hwnd, filterMin, filterMax))
            continue;
        *msg = *it;
        if (remove)
            queue.Posted.erase(it);
        return true;
    }
    if (queue.QuitPosted && Matches(MSG{nullptr, WM_QUIT, 0, 0, 0, {}}, nullptr, filterMin, filterMax)) {
        *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.QuitCode), 0, GetTickCount(), {}};
        if (remove)
            queue.QuitPosted = false;
        return true;
    }
    return false;
}

BOOL PostTo(DWORD thread, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    {
        std::lock_guard guard(queuesLock);
        queues[thread].Posted.push_back(MSG{hwnd, message, wParam, lParam, GetTickCount(), {}});
        postLog.push_back(PostedMessage{hwnd, message, wParam, lParam, thread});
    }
    queuesChanged.notify_all();
    return TRUE;
}

} // namespace

std::vector<PostedMessage> PostedMessages() {
    std::lock_guard guard(queuesLock);
    return postLog;
}

void ClearPostedMessages() {
    std::lock_guard guard(queuesLock);
    postLog.clear();
}

} // namespace headless

using namespace headless;

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD thread = GetCurrentThreadId();
    if (hwnd) {
        const Window *window = WindowTable::Instance().Find(hwnd);
        if (!window) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        thread = window->Thread;
    }
    return PostTo(thread, hwnd, message, wParam, lParam);
}

BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    return PostTo(threadId, nullptr, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    {
        std::lock_guard guard(queuesLock);
        ThreadQueue &queue = queues[GetCurrentThreadId()];
        queue.QuitPosted = true;
        queue.QuitCode = exitCode;
    }
    queuesChanged.notify_all();
}

BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    std::lock_guard guard(queuesLock);
    return Take(queues[GetCurrentThreadId()], msg, hwnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0);
}

BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    std::unique_lock guard(queuesLock);
    ThreadQueue &queue = queues[GetCurrentThreadId()];
    queuesChanged.wait(guard, [&] { return Take(queue, msg, hwnd, filterMin, filterMax, true); });
    return msg->message != WM_QUIT;
}

BOOL WaitMessage() {
    std::unique_lock guard(queuesLock);
    ThreadQueue &queue = queues[GetCurrentThreadId()];
    queuesChanged.wait(guard, [&] { return !queue.Posted.empty() || queue.QuitPosted; });
    return TRUE;
}

BOOL TranslateMessage(const MSG *) { return FALSE; }

LRESULT DispatchMessageA(const MSG *msg) {
    const Window *window = msg ? WindowTable::Instance().Find(msg->hwnd) : nullptr;
    if (!window || !window->Proc)
        return 0;
    return window->Proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

// Per-thread message queues. Posting is safe from any thread, as on Windows; a post to a null window goes to the
// posting thread's own queue. A queue is read in the Windows order: calls sent from other threads, posted
// messages, the quit flag, WM_PAINT for a window with an update region, then WM_TIMER for a window timer that is due.
#include "headless/Inspect.h"
#include "headless/WindowTable.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>

namespace headless {
namespace {

struct PendingCall {
    LRESULT (*Call)(void *context);
    void *Context;
    LRESULT Result = 0;
    bool Done = false;
};

using Clock = std::chrono::steady_clock;

// A window timer: its WM_TIMER is generated, not queued, whenever the thread reads its queue after Due.
struct WindowTimer {
    HWND Window;
    UINT_PTR Id;
    UINT Interval;
    Clock::time_point Due;
};

struct ThreadQueue {
    std::deque<MSG> Posted;
    std::deque<PendingCall *> Calls;
    std::deque<WindowTimer> Timers;
    bool QuitPosted = false;
    int QuitCode = 0;
};

std::mutex queuesLock;
std::condition_variable queuesChanged;
std::map<DWORD, ThreadQueue> queues;

bool InRange(UINT message, UINT filterMin, UINT filterMax) {
    return (filterMin == 0 && filterMax == 0) || (message >= filterMin && message <= filterMax);
}

bool Matches(const MSG &msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    return (!hwnd || msg.hwnd == hwnd) && InRange(msg.message, filterMin, filterMax);
}

// A window of the calling thread that waits for WM_PAINT.
HWND WindowToPaint(HWND hwnd, UINT filterMin, UINT filterMax) {
    if (!InRange(WM_PAINT, filterMin, filterMax))
        return nullptr;
    for (const Window *window : WindowTable::Instance().WindowsOf(GetCurrentThreadId()))
        if ((!hwnd || window->Handle == hwnd) && !IsEmpty(window->Update) && IsShown(*window))
            return window->Handle;
    return nullptr;
}

// Takes (or peeks) the first matching message of the calling thread's queue; the caller holds queuesLock.
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
    // WM_PAINT stays until the window is validated, whatever the remove flag.
    if (const HWND paint = WindowToPaint(hwnd, filterMin, filterMax)) {
        *msg = MSG{paint, WM_PAINT, 0, 0, GetTickCount(), {}};
        return true;
    }
    // A timer ends with its window; a taken WM_TIMER waits a whole interval for the next one.
    std::erase_if(queue.Timers, [](const WindowTimer &timer) { return !WindowTable::Instance().Find(timer.Window); });
    const Clock::time_point now = Clock::now();
    for (WindowTimer &timer : queue.Timers) {
        if (timer.Due > now || !Matches(MSG{timer.Window, WM_TIMER, 0, 0, 0, {}}, hwnd, filterMin, filterMax))
            continue;
        *msg = MSG{timer.Window, WM_TIMER, timer.Id, 0, GetTickCount(), {}};
        if (remove)
            timer.Due = now + std::chrono::milliseconds(timer.Interval);
        return true;
    }
    return false;
}

// Waits until another thread changes the queue or the first window timer is due; the caller holds queuesLock.
void WaitForQueue(std::unique_lock<std::mutex> &guard, ThreadQueue &queue) {
    const auto changed = [&] { return !queue.Calls.empty() || !queue.Posted.empty() || queue.QuitPosted; };
    if (queue.Timers.empty()) {
        queuesChanged.wait(guard, changed);
        return;
    }
    Clock::time_point due = queue.Timers.front().Due;
    for (const WindowTimer &timer : queue.Timers)
        due = std::min(due, timer.Due);
    queuesChanged.wait_until(guard, due, changed);
}

// Runs the calls other threads sent to this one; the caller holds the lock, which is released around each call.
void ServeCalls(std::unique_lock<std::mutex> &guard, ThreadQueue &queue) {
    while (!queue.Calls.empty()) {
        PendingCall *call = queue.Calls.front();
        queue.Calls.pop_front();
        guard.unlock();
        const LRESULT result = call->Call(call->Context);
        guard.lock();
        call->Result = result;
        call->Done = true;
        queuesChanged.notify_all();
    }
}

BOOL PostTo(DWORD thread, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    {
        std::lock_guard guard(queuesLock);
        queues[thread].Posted.push_back(MSG{hwnd, message, wParam, lParam, GetTickCount(), {}});
    }
    queuesChanged.notify_all();
    return TRUE;
}

} // namespace

LRESULT CallOnThread(DWORD thread, LRESULT (*call)(void *context), void *context) {
    const DWORD self = GetCurrentThreadId();
    if (thread == self)
        return call(context);
    PendingCall pending{call, context};
    std::unique_lock guard(queuesLock);
    queues[thread].Calls.push_back(&pending);
    queuesChanged.notify_all();
    ThreadQueue &own = queues[self];
    while (!pending.Done) {
        ServeCalls(guard, own);
        if (!pending.Done)
            queuesChanged.wait(guard, [&] { return pending.Done || !own.Calls.empty(); });
    }
    return pending.Result;
}

} // namespace headless

using namespace headless;

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD thread = GetCurrentThreadId();
    if (hwnd) {
        thread = WindowTable::Instance().ThreadOf(hwnd);
        if (!thread) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
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
    std::unique_lock guard(queuesLock);
    ThreadQueue &queue = queues[GetCurrentThreadId()];
    ServeCalls(guard, queue);
    // Of the queue-status kinds only paints are asked for alone; sent calls are served in any case.
    if (removeFlags & PM_QS_PAINT) {
        const HWND paint = WindowToPaint(hwnd, filterMin, filterMax);
        if (paint)
            *msg = MSG{paint, WM_PAINT, 0, 0, GetTickCount(), {}};
        return paint != nullptr;
    }
    return Take(queue, msg, hwnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0);
}

BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    std::unique_lock guard(queuesLock);
    ThreadQueue &queue = queues[GetCurrentThreadId()];
    for (;;) {
        ServeCalls(guard, queue);
        if (Take(queue, msg, hwnd, filterMin, filterMax, true))
            return msg->message != WM_QUIT;
        WaitForQueue(guard, queue);
    }
}

BOOL WaitMessage() {
    std::unique_lock guard(queuesLock);
    ThreadQueue &queue = queues[GetCurrentThreadId()];
    ServeCalls(guard, queue);
    if (WindowToPaint(nullptr, 0, 0))
        return TRUE;
    WaitForQueue(guard, queue);
    return TRUE;
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    // Timers without a window, or with a procedure, are not used by the toolkit.
    const DWORD thread = WindowTable::Instance().ThreadOf(hwnd);
    if (!hwnd || proc || thread != GetCurrentThreadId())
        return 0;
    std::lock_guard guard(queuesLock);
    std::deque<WindowTimer> &timers = queues[thread].Timers;
    std::erase_if(timers, [&](const WindowTimer &timer) { return timer.Window == hwnd && timer.Id == id; });
    timers.push_back(WindowTimer{hwnd, id, elapse, Clock::now() + std::chrono::milliseconds(elapse)});
    return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    std::lock_guard guard(queuesLock);
    std::deque<WindowTimer> &timers = queues[GetCurrentThreadId()].Timers;
    return std::erase_if(timers, [&](const WindowTimer &timer) { return timer.Window == hwnd && timer.Id == id; }) > 0;
}

BOOL TranslateMessage(const MSG *) { return FALSE; }

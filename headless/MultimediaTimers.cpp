// Multimedia timers: one service thread runs every callback, as the timer service does on Windows.
#include "headless/Windows.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct Timer {
    UINT Delay;
    LPTIMECALLBACK Callback;
    DWORD_PTR User;
    UINT Flags;
    Clock::time_point Due;
};

class TimerService {
public:
    ~TimerService() {
        {
            std::lock_guard guard(Lock);
            Stopping = true;
        }
        Changed.notify_all();
        if (Worker.joinable())
            Worker.join();
    }

    UINT Start(const Timer &timer) {
        std::lock_guard guard(Lock);
        if (!Worker.joinable())
            Worker = std::thread([this] { Run(); });
        const UINT id = NextId++;
        Timers.emplace(id, timer);
        Changed.notify_all();
        return id;
    }

    bool Kill(UINT id) {
        std::unique_lock guard(Lock);
        const auto found = Timers.find(id);
        const bool known = found != Timers.end();
        if (known)
            Timers.erase(found);
        // A synchronous kill lets a callback in progress finish first, unless the callback itself is killing.
        if (Running == id && RunningSynchronous && std::this_thread::get_id() != Worker.get_id())
            Changed.wait(guard, [&] { return Running != id; });
        return known;
    }

private:
    void Run() {
        std::unique_lock guard(Lock);
        while (!Stopping) {
            auto next = Timers.end();
            for (auto it = Timers.begin(); it != Timers.end(); ++it)
                if (next == Timers.end() || it->second.Due < next->second.Due)
                    next = it;
            if (next == Timers.end()) {
                Changed.wait(guard);
                continue;
            }
            // A copy: the timer may be killed while this thread waits.
            const Clock::time_point due = next->second.Due;
            if (Clock::now() < due) {
                Changed.wait_until(guard, due);
                continue;
            }
            const UINT id = next->first;
            const Timer timer = next->second;
            if (timer.Flags & TIME_PERIODIC)
                next->second.Due += std::chrono::milliseconds(timer.Delay ? timer.Delay : 1);
            else
                Timers.erase(next);
            Running = id;
            RunningSynchronous = (timer.Flags & TIME_KILL_SYNCHRONOUS) != 0;
            guard.unlock();
            timer.Callback(id, 0, timer.User, 0, 0);
            guard.lock();
            Running = 0;
            Changed.notify_all();
        }
    }

    std::mutex Lock;
    std::condition_variable Changed;
    std::map<UINT, Timer> Timers;
    std::thread Worker;
    UINT NextId = 1;
    UINT Running = 0;
    bool RunningSynchronous = false;
    bool Stopping = false;
};

TimerService &Service() {
    static TimerService service;
    return service;
}

} // namespace

MMRESULT timeSetEvent(UINT delay, UINT, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags) {
    if (!callback)
        return 0;
    return Service().Start(Timer{delay, callback, user, flags, Clock::now() + std::chrono::milliseconds(delay)});
}

MMRESULT timeKillEvent(UINT timerId) { return Service().Kill(timerId) ? TIMERR_NOERROR : MMSYSERR_INVALPARAM; }

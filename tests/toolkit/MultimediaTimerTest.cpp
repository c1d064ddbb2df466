// The multimedia timer: one-shot and periodic firing on the timer service's thread, stopping, and handing work to
// the window thread by a posted message.
#include "toolkit/messages/MultimediaTimer.h"
#include "toolkit/ToolkitFixture.h"

#include <atomic>
#include <thread>

namespace {

struct TimerProbe {
    std::atomic<int> Fired{0};
    std::atomic<DWORD> Thread{0};
    std::atomic<bool> InCallback{false};
    // Set by the first callback and never cleared: a one-shot may run and end before its starter looks.
    std::atomic<bool> Entered{false};
    // A callback stays in progress until this is set (or for five seconds).
    std::atomic<bool> Proceed{true};
};

void CountFiring(void *data, ObjectBase *) {
    auto *probe = static_cast<TimerProbe *>(data);
    probe->InCallback = true;
    probe->Entered = true;
    probe->Thread = GetCurrentThreadId();
    for (int waited = 0; !probe->Proceed && waited < 5000; ++waited)
        Sleep(1);
    ++probe->Fired;
    probe->InCallback = false;
}

template <class Condition> bool WaitFor(Condition done, DWORD milliseconds = 3000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(2);
    }
    return true;
}

MultimediaTimer *MakeTimer(UINT interval, bool periodic, TimerProbe &probe) {
    MultimediaTimer *timer = NewMultimediaTimer(interval);
    EXPECT_TRUE(timer->Periodic) << "periodic after creation";
    EXPECT_FALSE(timer->Enabled);
    timer->Periodic = periodic;
    timer->OnTimer = {&CountFiring, &probe};
    return timer;
}

TEST(MultimediaTimer, OneShotFiresExactlyOnceOnTheTimerThread) {
    TimerProbe probe;
    MultimediaTimer *timer = MakeTimer(20, false, probe);
    timer->SetEnabled(true);
    EXPECT_NE(timer->TimerId, 0u);
    ASSERT_TRUE(WaitFor([&] { return probe.Fired == 1; }));
    Sleep(120);
    EXPECT_EQ(probe.Fired, 1);
    EXPECT_NE(probe.Thread, GetCurrentThreadId());

    // Until it is disabled, a fired one-shot still counts as running: enabling it again does nothing.
    timer->SetEnabled(true);
    Sleep(80);
    EXPECT_EQ(probe.Fired, 1);
    timer->SetEnabled(false);
    EXPECT_EQ(timer->TimerId, 0u);
    EXPECT_FALSE(timer->Enabled);
    timer->SetEnabled(true);
    EXPECT_TRUE(WaitFor([&] { return probe.Fired == 2; }));
    ObjectBase::Free(timer);
}

TEST(MultimediaTimer, PeriodicFiresUntilStopped) {
    TimerProbe probe;
    MultimediaTimer *timer = MakeTimer(5, true, probe);
    timer->SetEnabled(false);
    EXPECT_EQ(timer->TimerId, 0u) << "stopping a stopped timer changes nothing";
    timer->SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return probe.Fired >= 3; }));
    timer->SetEnabled(false);
    const int fired = probe.Fired;
    Sleep(60);
    EXPECT_EQ(probe.Fired, fired);
    ObjectBase::Free(timer);
}

// After the stop nothing of the timer may run: its record, or the library, may go at once.
TEST(MultimediaTimer, StoppingWaitsForACallbackInProgress) {
    TimerProbe probe;
    probe.Proceed = false;
    MultimediaTimer *timer = MakeTimer(5, true, probe);
    timer->SetEnabled(true);
    if (!WaitFor([&] { return probe.Entered.load(); })) {
        probe.Proceed = true;
        ObjectBase::Free(timer);
        FAIL() << "the timer never fired";
    }
    // The callback is held until well after the stop has begun.
    std::thread release([&] {
        Sleep(100);
        probe.Proceed = true;
    });
    ObjectBase::Free(timer);
    EXPECT_FALSE(probe.InCallback) << "no callback runs on a freed timer";
    release.join();
    const int fired = probe.Fired;
    Sleep(40);
    EXPECT_EQ(probe.Fired, fired);
}

using TimerAndPump = ToolkitTest;

// The handler runs on the timer thread; what it posts is handled on the window thread.
TEST_F(TimerAndPump, HandlerHandsWorkToTheWindowThroughItsQueue) {
    Control *control = Child(Form());
    control->GetWindowHandle();
    std::atomic<DWORD> handledOn{0};
    control->Tag = reinterpret_cast<std::intptr_t>(&handledOn);
    control->AttachProc([](Control *self, WindowMessage &message, LRESULT &) {
        if (message.Msg == WM_USER + 270)
            *reinterpret_cast<std::atomic<DWORD> *>(self->Tag) = GetCurrentThreadId();
        return false;
    });
    MultimediaTimer *timer = NewMultimediaTimer(10);
    timer->Periodic = false;
    timer->OnTimer = {[](void *data, ObjectBase *sender) {
                          static_cast<MultimediaTimer *>(sender)->SetEnabled(false);
                          PostMessageA(static_cast<Control *>(data)->Handle, WM_USER + 270, 0, 0);
                      },
                      control};
    control->AddToAutoFree(timer);
    timer->SetEnabled(true);
    EXPECT_TRUE(WaitFor([&] {
        Control::ProcessMessages();
        return handledOn != 0;
    }));
    EXPECT_EQ(handledOn, GetCurrentThreadId());
}

} // namespace

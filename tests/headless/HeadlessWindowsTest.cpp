// What only the headless platform lets a test see: the arguments the toolkit gave CreateWindowExA, the icons it
// left alive, and the queue and timer threads at work.
#include "headless/Inspect.h"
#include "toolkit/ToolkitFixture.h"

#include <atomic>
#include <thread>

namespace {

using Headless = ToolkitTest;

const headless::CreationRecord *Created(HWND window) {
    static std::vector<headless::CreationRecord> records;
    records = headless::CreatedWindows();
    for (const auto &record : records)
        if (record.Result == window)
            return &record;
    return nullptr;
}

TEST_F(Headless, FormWithoutPositionOrSizeLeavesThemToTheSystem) {
    Control *form = NewForm(nullptr, "default");
    Forms.push_back(form);
    form->SetVisible(false);
    Control *child = Child(form);
    form->GetWindowHandle();
    const headless::CreationRecord *record = Created(form->Handle);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->X, CW_USEDEFAULT);
    EXPECT_EQ(record->Width, CW_USEDEFAULT);
    EXPECT_EQ(record->ClassName, "obj_Form");
    EXPECT_EQ(record->Style & WS_VISIBLE, 0u);

    // A child always goes where its bounds say.
    record = Created(child->Handle);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->X, 2);
    EXPECT_EQ(record->Width, 64);
    EXPECT_EQ(record->Parent, form->Handle);

    Control *placed = Form();
    placed->GetWindowHandle();
    record = Created(placed->Handle);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->X, 40);
    EXPECT_EQ(record->Width, 320);
}

TEST_F(Headless, IconCopiesGoWithTheirForms) {
    Control *applet = NewApplet("applet");
    applet->SetVisible(false);
    Applet = applet;
    applet->GetWindowHandle();
    const int before = headless::LiveIconCount();
    Control *form = NewForm(applet, "form");
    form->SetVisible(false);
    form->GetWindowHandle();
    EXPECT_EQ(headless::LiveIconCount(), before + 1);
    ObjectBase::Free(applet);
    EXPECT_EQ(headless::LiveIconCount(), before);
}

TEST_F(Headless, DeliveredMessagesTellSentFromPosted) {
    Control *control = Child(Form());
    control->GetWindowHandle();
    headless::ClearDeliveredMessages();
    SendMessageA(control->Handle, WM_USER, 1, 0);
    PostMessageA(control->Handle, WM_USER, 2, 0);
    Control::ProcessMessages();
    std::vector<headless::DeliveredMessage> seen;
    for (const auto &m : headless::DeliveredMessages())
        if (m.Message == WM_USER)
            seen.push_back(m);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_FALSE(seen[0].Posted);
    EXPECT_TRUE(seen[1].Posted);
    EXPECT_EQ(seen[1].WParam, 2u);
}

TEST_F(Headless, QueueWaitsForPostsFromOtherThreads) {
    const HWND window = headless::CreateTestWindow();
    std::thread poster([window] {
        Sleep(30);
        PostMessageA(window, WM_USER + 5, 0, 0);
    });
    MSG msg;
    EXPECT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER + 5);
    poster.join();
    DestroyWindow(window);

    std::thread threadPoster([thread = GetCurrentThreadId()] {
        Sleep(30);
        PostThreadMessageA(thread, WM_USER + 6, 0, 0);
    });
    EXPECT_TRUE(WaitMessage());
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 6);
    threadPoster.join();
}

TEST(HeadlessTimers, SynchronousKillWaitsForTheCallbackAndUnknownTimersAreRefused) {
    static std::atomic<bool> running{false};
    auto slow = [](UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
        running = true;
        Sleep(50);
        running = false;
    };
    const UINT id = timeSetEvent(1, 0, slow, 0, TIME_PERIODIC | TIME_KILL_SYNCHRONOUS);
    ASSERT_NE(id, 0u);
    const DWORD start = GetTickCount();
    while (!running && GetTickCount() - start < 2000)
        Sleep(1);
    EXPECT_EQ(timeKillEvent(id), TIMERR_NOERROR);
    EXPECT_FALSE(running);
    EXPECT_EQ(timeKillEvent(id), MMSYSERR_INVALPARAM);
}

} // namespace

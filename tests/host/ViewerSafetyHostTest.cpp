// What a host meets when it does things in another order or size than the stand-in host: a viewer that moves in
// without a usable rectangle, a huge rectangle, notifications without a host window, a host window destroyed under
// the viewer, and the library unloaded at any moment. Every test loads the library afresh and unloads it at its end,
// and no test may see an access violation anywhere in the process.
#include "PluginLibrary.h"
#include "TestHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <mmsystem.h>
#include <sqlite3.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace {

volatile LONG accessViolations = 0;

// Counts every access violation, also those a window procedure's caller swallows.
LONG CALLBACK CountAccessViolations(EXCEPTION_POINTERS *info) {
    if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION)
        InterlockedIncrement(&accessViolations);
    return EXCEPTION_CONTINUE_SEARCH;
}

// A database with one table t(a, b) holding (1, 'x').
std::string MakeDatabase(const TempDir &dir, const char *name) {
    const std::string path = dir.File(name);
    sqlite3 *db = nullptr;
    EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, "create table t(a, b); insert into t values(1, 'x');", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    return path;
}

HWND ViewerIn(HWND host) { return FindWindowExA(host, nullptr, nullptr, "Form1"); }

DWORD WINAPI FreeOnThisThread(LPVOID module) { return FreeLibrary(static_cast<HMODULE>(module)); }

constexpr const char *SecondHostVariable = "SQLITEVIEW_SECOND_HOST";
constexpr const char *SecondHostReady = "sqliteview-second-host-ready";
constexpr const char *SecondHostDone = "sqliteview-second-host-done";

class HostSafety : public ::testing::Test {
protected:
    static void SetUpTestSuite() { AddVectoredExceptionHandler(1, &CountAccessViolations); }

    void SetUp() override {
        received.clear();
        accessViolations = 0;
        Load();
        Host = MakeHostWindow("host");
    }

    void TearDown() override {
        Unload();
        if (IsWindow(Host))
            DestroyWindow(Host);
        Pump(50);
        EXPECT_EQ(accessViolations, 0);
    }

    void Load() {
        Plugin = std::make_unique<PluginLibrary>();
        ASSERT_EQ(Plugin->Load(PLUGIN_FILE_NAME), "");
    }

    // FreeLibrary on a thread of its own, waited for.
    void FreeOnAnotherThread() {
        HANDLE thread = CreateThread(nullptr, 0, &FreeOnThisThread, Plugin->Module, 0, nullptr);
        Plugin->Module = nullptr;
        Plugin.reset();
        EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
        CloseHandle(thread);
    }

    void Unload() {
        if (!Plugin)
            return;
        FreeLibrary(Plugin->Module);
        Plugin->Module = nullptr;
        Plugin.reset();
    }

    std::string Open(const std::string &path) {
        Plugin->SetFile(path.c_str());
        Plugin->openbase();
        return Plugin->GetFile();
    }

    // Runs a query that succeeds and returns its two texts, titles first.
    std::pair<std::string, std::string> Run(const char *sql) {
        Plugin->SetFile(sql);
        Plugin->sqlrun();
        EXPECT_STREQ(Plugin->GetFile(), sql) << "the query ran";
        Plugin->gettituls();
        std::string titles = Plugin->GetFile();
        Plugin->getrows();
        return {titles, Plugin->GetFile()};
    }

    std::unique_ptr<PluginLibrary> Plugin;
    HWND Host = nullptr;
    TempDir Dir;
};

// Where the viewer was before it moved in, and what it shows after.
struct EarlyPlace {
    const char *Name;
    bool Draws;
    int Left, Top, Width, Height;
    // The host showed some of that rectangle: the backdrop is taken at the move, from there.
    bool BackdropAtMove;
    // The form is on the screen after the move: its plain background can be seen.
    bool PlainShown;
};

const EarlyPlace EarlyPlaces[] = {
    {"NoDraw", false, 0, 0, 0, 0, false, true},
    {"ZeroSize", true, 0, 0, 0, 0, false, true},
    {"NegativeSize", true, 0, 0, -300, -200, false, true},
    {"OutsideTheHost", true, 800, 600, 100, 100, false, false},
    {"Huge", true, 0, 0, 20000, 20000, true, false},
};

class MoveWithoutUsableRectangle : public HostSafety, public ::testing::WithParamInterface<EarlyPlace> {};

// The viewer moves in and paints (the same code runs on every later paint); without a backdrop it shows a plain
// background, and the first Draw that shows some of the host takes the one backdrop.
TEST_P(MoveWithoutUsableRectangle, PaintsPlainUntilDrawGivesARectangleTheHostShows) {
    const EarlyPlace &place = GetParam();
    Plugin->SetParentWindow(Host);
    if (place.Draws)
        Plugin->Draw(0, place.Left, place.Top, place.Width, place.Height);
    Pump(800);
    HWND form = ViewerIn(Host);
    ASSERT_NE(form, nullptr) << "moved in";
    EXPECT_TRUE(IsWindowVisible(form));
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    Pump(50);
    std::string where;
    if (place.PlainShown) {
        const Pixels plain = FormPixelsBehindGrid(form, 300, 200);
        EXPECT_EQ(ColorMismatches(plain, GetSysColor(COLOR_BTNFACE), where), 0) << where;
    }

    EXPECT_NE(Plugin->Draw(0, 30, 40, 320, 200), FALSE);
    Pump(200);
    const Pixels behind = FormPixelsBehindGrid(form);
    ASSERT_EQ(behind.Width, 320);
    const POINT from = place.BackdropAtMove ? POINT{0, 0} : POINT{30, 40};
    EXPECT_EQ(PatternMismatches(behind, from.x, from.y, FirstPhase, where), 0) << where;

    // One backdrop only: a later move takes none.
    EXPECT_NE(Plugin->Draw(0, 60, 70, 320, 200), FALSE);
    Pump(200);
    EXPECT_EQ(PatternMismatches(FormPixelsBehindGrid(form), from.x, from.y, FirstPhase, where), 0) << where;
}

INSTANTIATE_TEST_SUITE_P(HostSafety, MoveWithoutUsableRectangle, ::testing::ValuesIn(EarlyPlaces),
                         [](const auto &info) { return std::string(info.param.Name); });

// The viewer moves in while the host's frame is minimised (the host window is a child of that frame, so it keeps its
// size): nothing of the host is copied then, and the first Draw after the frame is restored takes the backdrop from
// where the viewer now is.
TEST_F(HostSafety, NoBackdropIsTakenWhileTheHostsFrameIsMinimised) {
    HWND inner = CreateWindowExA(0, "ViewerTestHost", "inner host", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600,
                                 400, Host, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(inner, nullptr);
    Pump(100);
    ShowWindow(Host, SW_MINIMIZE);
    Pump(100);
    ASSERT_TRUE(IsIconic(Host));
    Plugin->SetParentWindow(inner);
    Plugin->Draw(0, 30, 40, 320, 200);
    Pump(800);
    HWND form = ViewerIn(inner);
    ASSERT_NE(form, nullptr) << "moved in";
    ShowWindow(Host, SW_RESTORE);
    Pump(200);
    EXPECT_NE(Plugin->Draw(0, 50, 60, 320, 200), FALSE);
    Pump(200);
    std::string where;
    EXPECT_EQ(PatternMismatches(FormPixelsBehindGrid(form), 50, 60, FirstPhase, where), 0) << where;
}

TEST_F(HostSafety, AHugeRectangleCostsOnlyThePartTheHostShows) {
    const std::size_t before = CommittedPrivateBytes();
    Plugin->SetParentWindow(Host);
    Plugin->Draw(0, 0, 0, 10000, 10000);
    Pump(800);
    HWND form = ViewerIn(Host);
    ASSERT_NE(form, nullptr);
    // The host's client area is under 700 x 500 pixels (1.4 MB); the whole rectangle's would be 400 MB.
    const std::size_t grown = CommittedPrivateBytes() - before;
    EXPECT_LT(grown, std::size_t{64} << 20) << grown;
    std::string where;
    EXPECT_EQ(PatternMismatches(FormPixelsBehindGrid(form, 600, 400), 0, 0, FirstPhase, where), 0) << where;
}

// A notification posted to no window would be a thread message: a phantom click for a host loop that handles those.
TEST_F(HostSafety, WithoutAHostWindowNothingIsPosted) {
    auto threadMessages = [] {
        int count = 0;
        MSG msg;
        while (PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE))
            ++count;
        return count;
    };
    const std::string db = MakeDatabase(Dir, "n.db");
    EXPECT_EQ(Open(db), "select db ok\r\n") << "before SetParentWindow";
    EXPECT_EQ(threadMessages(), 0);

    Plugin->SetParentWindow(nullptr);
    EXPECT_EQ(Plugin->Draw(0, 30, 40, 320, 200), FALSE) << "no window, no viewer";
    Pump(700);
    EXPECT_EQ(FindWindowA(nullptr, "pluginreal"), nullptr);
    Plugin->SetFile("selec nothing");
    Plugin->sqlrun();
    EXPECT_STREQ(Plugin->GetFile(), "error query \r\n");
    EXPECT_EQ(threadMessages(), 0);

    // A viewer built for a host, then the host window taken away again.
    Plugin->SetParentWindow(Host);
    Plugin->SetParentWindow(nullptr);
    Plugin->SetFile("selec nothing");
    Plugin->sqlrun();
    Pump(50);
    EXPECT_EQ(threadMessages(), 0);
    EXPECT_TRUE(received.empty());
    Plugin->SetParentWindow(Host);
    Plugin->SetFile("selec nothing");
    Plugin->sqlrun();
    Pump(50);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].Window, Host);
}

class HostWindowDestroyed : public HostSafety, public ::testing::WithParamInterface<bool> {};

// The viewer goes with its host window, moved in or not; later calls touch nothing of it, the database side works on,
// and a new host window gets the notifications but no new viewer.
TEST_P(HostWindowDestroyed, LaterCallsWorkWithoutTheViewer) {
    const bool movedIn = GetParam();
    Plugin->SetParentWindow(Host);
    EXPECT_NE(Plugin->Draw(0, 30, 40, 320, 200), FALSE);
    if (movedIn) {
        Pump(800);
        ASSERT_NE(ViewerIn(Host), nullptr);
    }
    EXPECT_EQ(Open(MakeDatabase(Dir, "d.db")), "select db ok\r\n");
    DestroyWindow(Host);
    Pump(800);

    EXPECT_EQ(Plugin->Draw(0, 10, 10, 100, 100), FALSE);
    EXPECT_EQ(FindWindowA(nullptr, "pluginreal"), nullptr) << "the viewer went with its host window";
    EXPECT_EQ(Run("select a, b from t"), std::make_pair(std::string("a#b#"), std::string("1\x19x\x19\x18")));

    HWND other = MakeHostWindow("second host");
    Plugin->SetParentWindow(other);
    Pump(800);
    EXPECT_EQ(ViewerIn(other), nullptr) << "not rebuilt";
    EXPECT_EQ(Plugin->Draw(0, 10, 10, 100, 100), FALSE);
    received.clear();
    Plugin->SetFile("selec nothing");
    Plugin->sqlrun();
    Pump(50);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].Window, other);
    DestroyWindow(other);
}

INSTANTIATE_TEST_SUITE_P(HostSafety, HostWindowDestroyed, ::testing::Values(false, true),
                         [](const auto &info) { return std::string(info.param ? "AfterTheMove" : "BeforeTheMove"); });

struct UnloadMoment {
    const char *Name;
    // Time given to the viewer before FreeLibrary: the timer still pending, or the viewer moved in.
    DWORD Wait;
};

class UnloadAtAnyMoment : public HostSafety, public ::testing::WithParamInterface<UnloadMoment> {};

// After FreeLibrary nothing runs the library's code: the timer never fires, no window of it is left, the database
// file is closed; and a new load is a working plug-in.
TEST_P(UnloadAtAnyMoment, LeavesNothingBehindAndLoadsAgain) {
    Plugin->SetParentWindow(Host);
    Plugin->Draw(0, 30, 40, 320, 200);
    const std::string db = MakeDatabase(Dir, "u.db");
    EXPECT_EQ(Open(db), "select db ok\r\n");
    Pump(GetParam().Wait);
    Unload();
    EXPECT_EQ(GetModuleHandleA(PLUGIN_FILE_NAME), nullptr) << "unloaded";
    Pump(800);
    RedrawWindow(Host, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    Pump(100);
    EXPECT_EQ(accessViolations, 0);
    EXPECT_EQ(ViewerIn(Host), nullptr);
    EXPECT_EQ(FindWindowA(nullptr, "pluginreal"), nullptr);
    EXPECT_EQ(FindWindowA(nullptr, "vexlet"), nullptr);
    EXPECT_TRUE(DeleteFileA(db.c_str())) << "the database is closed";

    Load();
    Plugin->SetParentWindow(Host);
    EXPECT_NE(Plugin->Draw(0, 50, 60, 300, 180), FALSE);
    Pump(800);
    HWND form = ViewerIn(Host);
    ASSERT_NE(form, nullptr) << "the viewer appears again";
    EXPECT_TRUE(IsWindowVisible(form));
    std::string where;
    EXPECT_EQ(PatternMismatches(FormPixelsBehindGrid(form), 50, 60, FirstPhase, where), 0) << where;
    received.clear();
    EXPECT_EQ(Open(MakeDatabase(Dir, "again.db")), "select db ok\r\n");
    Pump(50);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].LParam, MAKELPARAM(50, 60));
    EXPECT_EQ(Run("select b, a from t"), std::make_pair(std::string("b#a#"), std::string("x\x19"
                                                                                         "1\x19\x18")));
}

INSTANTIATE_TEST_SUITE_P(HostSafety, UnloadAtAnyMoment,
                         ::testing::Values(UnloadMoment{"TimerPending", 100}, UnloadMoment{"MovedIn", 800}),
                         [](const auto &info) { return std::string(info.param.Name); });

// The host posts its quit just as the viewer's move message is about to run (it closes within a second of opening):
// its loop still meets the quit, with its exit code, and the viewer has moved in and works on.
TEST_F(HostSafety, AQuitPostedAtTheMoveReachesTheHostsLoop) {
    Plugin->SetParentWindow(Host);
    Plugin->Draw(0, 30, 40, 320, 200);
    int quitCode = -1;
    bool quitPosted = false;
    const DWORD start = GetTickCount();
    while (quitCode < 0 && GetTickCount() - start < 3000) {
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(5);
            continue;
        }
        if (msg.message == WM_QUIT) {
            quitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (msg.message == 1294 && !quitPosted) {
            PostQuitMessage(9);
            quitPosted = true;
        }
        DispatchMessageA(&msg);
    }
    ASSERT_TRUE(quitPosted) << "the move message came";
    EXPECT_EQ(quitCode, 9) << "the host's loop met its quit";
    const HWND form = ViewerIn(Host);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(IsWindowVisible(form));
    EXPECT_NE(Plugin->Draw(0, 50, 60, 300, 180), FALSE);
    EXPECT_EQ(RectInParent(form).left, 50);
}

// All callback timers of a process share one service thread. A host callback that holds it for seconds around the
// unload must find nothing of the library waiting behind it.
void CALLBACK HoldTheTimerThread(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) { Sleep(3000); }

TEST_F(HostSafety, AHostTimerHoldingTheTimerThreadRunsNoUnloadedCode) {
    const MMRESULT hold = timeSetEvent(50, 1, &HoldTheTimerThread, 0, TIME_ONESHOT | TIME_CALLBACK_FUNCTION);
    ASSERT_NE(hold, 0u);
    Plugin->SetParentWindow(Host);
    Plugin->Draw(0, 30, 40, 320, 200);
    Pump(200);
    const DWORD start = GetTickCount();
    Unload();
    EXPECT_LT(GetTickCount() - start, 1000u) << "the unload waits for nothing";
    EXPECT_EQ(GetModuleHandleA(PLUGIN_FILE_NAME), nullptr) << "unloaded";
    Pump(3500);
    EXPECT_EQ(accessViolations, 0);
    EXPECT_EQ(ViewerIn(Host), nullptr);
}

// FreeLibrary on a thread that does not own the windows: they are handed to the default procedure, and the owner's
// loop destroys them; nothing of them runs the library's code any more.
TEST_F(HostSafety, UnloadingFromAnotherThreadLeavesNoWindowOfTheLibrary) {
    Plugin->SetParentWindow(Host);
    Plugin->Draw(0, 30, 40, 320, 200);
    Pump(800);
    HWND form = ViewerIn(Host);
    ASSERT_NE(form, nullptr);
    HWND grid = GridOf(form);
    FreeOnAnotherThread();
    EXPECT_EQ(GetModuleHandleA(PLUGIN_FILE_NAME), nullptr) << "unloaded";

    PostMessageA(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 30));
    RedrawWindow(Host, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    Pump(300);
    EXPECT_EQ(accessViolations, 0);
    EXPECT_FALSE(IsWindow(form));
    EXPECT_FALSE(IsWindow(grid));
    for (const char *caption : {"pluginreal", "vexlet"})
        EXPECT_EQ(FindWindowA(nullptr, caption), nullptr) << caption;
}

// The host unloads the library from a handler that the settings dialog's loop runs (it closes while the dialog is
// open): the dialog, still on the stack, keeps the library until it has returned; then the library goes.
HMODULE unloadedFromTheDialog = nullptr;

void CALLBACK UnloadFromTheDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowA(nullptr, "Form2");
    if (!dialog || !IsWindowVisible(dialog))
        return;
    KillTimer(nullptr, id);
    FreeLibrary(unloadedFromTheDialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[16] = {};
        GetWindowTextA(child, text, sizeof text);
        if (std::string(text) == "Cansel")
            SendMessageA(child, BM_CLICK, 0, 0);
    }
}

TEST_F(HostSafety, UnloadingFromInsideTheSettingsDialogWaitsForItsEnd) {
    Plugin->SetParentWindow(Host);
    Plugin->Draw(0, 30, 40, 320, 200);
    Pump(800);
    ASSERT_NE(ViewerIn(Host), nullptr);
    unloadedFromTheDialog = Plugin->Module;
    const auto showDialog = Plugin->Interface;
    Plugin->Module = nullptr;
    Plugin.reset();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, UnloadFromTheDialog);
    EXPECT_EQ(showDialog(), 0);
    KillTimer(nullptr, timer);
    const DWORD start = GetTickCount();
    while (GetModuleHandleA(PLUGIN_FILE_NAME) && GetTickCount() - start < 5000)
        Pump(20);
    EXPECT_EQ(GetModuleHandleA(PLUGIN_FILE_NAME), nullptr) << "unloaded once the dialog returned";
    Pump(300);
    EXPECT_EQ(accessViolations, 0);
    EXPECT_EQ(ViewerIn(Host), nullptr);
    for (const char *caption : {"Form2", "formset", "pluginreal", "vexlet"})
        EXPECT_EQ(FindWindowA(nullptr, caption), nullptr) << caption;
}

// The host runs a query on a worker thread and unloads the library from its window thread meanwhile (it closes):
// FreeLibrary neither frees the code under the worker nor waits for it under the loader lock (closing the database
// there would wait for the worker's statement); the query returns normally, and the library goes once it has.
struct WorkerQuery {
    PluginLibrary::VoidFn Run;
    std::atomic<bool> Started{false};
};

DWORD WINAPI RunOnWorker(LPVOID data) {
    auto *query = static_cast<WorkerQuery *>(data);
    query->Started = true;
    query->Run();
    return 0;
}

TEST_F(HostSafety, UnloadingWhileAnExportRunsOnAnotherThreadWaitsForIt) {
    EXPECT_EQ(Open(MakeDatabase(Dir, "w.db")), "select db ok\r\n") << "the first export call, on this thread";
    Plugin->SetFile("with recursive c(x) as (select 1 union all select x + 1 from c where x < 10000000) "
                    "select count(*) from c");
    WorkerQuery query;
    query.Run = Plugin->sqlrun;
    HANDLE worker = CreateThread(nullptr, 0, &RunOnWorker, &query, 0, nullptr);
    while (!query.Started)
        Sleep(1);
    Sleep(100);
    Unload();
    EXPECT_EQ(WaitForSingleObject(worker, 0), WAIT_TIMEOUT) << "FreeLibrary returned while the query still ran";
    EXPECT_EQ(WaitForSingleObject(worker, 60000), WAIT_OBJECT_0) << "the query returned into the worker";
    CloseHandle(worker);
    const DWORD start = GetTickCount();
    while (GetModuleHandleA(PLUGIN_FILE_NAME) && GetTickCount() - start < 5000)
        Pump(20);
    EXPECT_EQ(GetModuleHandleA(PLUGIN_FILE_NAME), nullptr) << "unloaded once the query had returned";
    EXPECT_EQ(accessViolations, 0);
}

// The second host of the test below, in a process of its own: its viewer must stay shown and working while the
// first process unloads the library from another thread. Skipped when run on its own.
TEST_F(HostSafety, SecondHostProcess) {
    char flag[8];
    if (!GetEnvironmentVariableA(SecondHostVariable, flag, sizeof flag))
        GTEST_SKIP() << "run by UnloadingFromAnotherThreadLeavesAnotherProcesssViewerAlone";
    Plugin->SetParentWindow(Host);
    Plugin->Draw(0, 30, 40, 320, 200);
    Pump(800);
    HWND form = ViewerIn(Host);
    ASSERT_NE(form, nullptr);
    const LONG_PTR procedure = GetWindowLongPtrA(form, GWLP_WNDPROC);
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, SecondHostReady);
    HANDLE done = OpenEventA(SYNCHRONIZE, FALSE, SecondHostDone);
    ASSERT_TRUE(ready && done);
    SetEvent(ready);
    while (WaitForSingleObject(done, 10) == WAIT_TIMEOUT)
        Pump(10);
    Pump(300);
    EXPECT_TRUE(IsWindowVisible(form));
    EXPECT_EQ(GetWindowLongPtrA(form, GWLP_WNDPROC), procedure);
    CloseHandle(ready);
    CloseHandle(done);
}

// A second host process has the library at the same address, so its viewer's window procedure looks like ours: the
// unload touches only this process's windows.
TEST_F(HostSafety, UnloadingFromAnotherThreadLeavesAnotherProcesssViewerAlone) {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, SecondHostReady);
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, SecondHostDone);
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string command = std::string("\"") + exe + "\" --gtest_brief=1 --gtest_filter=HostSafety.SecondHostProcess";
    SetEnvironmentVariableA(SecondHostVariable, "1");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION second{};
    const BOOL started =
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &second);
    SetEnvironmentVariableA(SecondHostVariable, nullptr);
    ASSERT_TRUE(started);
    ASSERT_EQ(WaitForSingleObject(ready, 20000), WAIT_OBJECT_0) << "the second host shows its viewer";

    Plugin->SetParentWindow(Host);
    Plugin->Draw(0, 30, 40, 320, 200);
    Pump(800);
    ASSERT_NE(ViewerIn(Host), nullptr);
    FreeOnAnotherThread();
    Pump(300);
    SetEvent(done);
    ASSERT_EQ(WaitForSingleObject(second.hProcess, 20000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(second.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u) << "the second host's viewer stayed shown with its own procedure";
    for (HANDLE handle : {second.hProcess, second.hThread, ready, done})
        CloseHandle(handle);
}

} // namespace

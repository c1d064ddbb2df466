// What a host meets when it does things in another order or size than the stand-in host: a viewer that moves in
// without a usable rectangle, a huge rectangle, notifications without a host window, a host window destroyed under
// the viewer, and the library unloaded at any moment. Every test loads the library afresh and unloads it at its end,
// and no test may see an access violation anywhere in the process.
#include "PluginLibrary.h"
#include "TestHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

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

// Private memory committed in the process: what a bitmap the library keeps costs.
std::size_t CommittedPrivateBytes() {
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION info;
    std::uintptr_t at = 0;
    while (VirtualQuery(reinterpret_cast<const void *>(at), &info, sizeof info) == sizeof info) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            total += info.RegionSize;
        const std::uintptr_t next = reinterpret_cast<std::uintptr_t>(info.BaseAddress) + info.RegionSize;
        if (next <= at)
            break;
        at = next;
    }
    return total;
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

// FreeLibrary on a thread that does not own the windows: they cannot be destroyed from there, but nothing of them
// runs the library's code any more.
TEST_F(HostSafety, UnloadingFromAnotherThreadLeavesHarmlessWindows) {
    Plugin->SetParentWindow(Host);
    Plugin->Draw(0, 30, 40, 320, 200);
    Pump(800);
    HWND form = ViewerIn(Host);
    ASSERT_NE(form, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, &FreeOnThisThread, Plugin->Module, 0, nullptr);
    Plugin->Module = nullptr;
    Plugin.reset();
    EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_EQ(GetModuleHandleA(PLUGIN_FILE_NAME), nullptr) << "unloaded";

    Pump(300);
    EXPECT_FALSE(IsWindowVisible(form));
    PostMessageA(GridOf(form), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 30));
    RedrawWindow(Host, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    Pump(300);
    EXPECT_EQ(accessViolations, 0);
    // The hidden application windows stay with the default procedure; this thread owns them and may end them.
    for (const char *caption : {"pluginreal", "vexlet"})
        if (HWND left = FindWindowA(nullptr, caption))
            DestroyWindow(left);
}

} // namespace

// Esc and a running query, with the keys' physical state and the foreground window set as the user would.
#include "db/CancelCheck.h"
#include "db/QueryFixture.h"
#include "headless/Inspect.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

class QueryCancel : public QueryTest {
protected:
    void TearDown() override {
        headless::SetAsyncKeyDown(VK_ESCAPE, false);
        QueryTest::TearDown();
    }
};

const char Endless[] = "with recursive c(x) as (select 1 union all select x + 1 from c) select count(*) from c";
const char Bounded[] =
    "with recursive c(x) as (select 1 union all select x + 1 from c where x < 300000) select count(*) from c";

// Who is in front while the query runs: the host, another program, or a window of another process standing exactly
// where the host's top-level window is (Windows' ghost of a window that has not read its queue for 5 s).
enum class Front { Host, OtherProgram, GhostOfHost };

// Esc pressed while the host is in front stops the statement, answered like a failed step with the rows read; in
// another program it does not. A press counts only when it begins after the start.
TEST_F(QueryCancel, EscInTheHostStopsARunningStatement) {
    struct Case {
        const char *Name;
        Front InFront;
        // Windows marks the host's top-level window as not responding.
        bool HostHung;
        // Esc is already down when the query starts; it is let go before the press when Presses is set.
        bool HeldAtStart;
        bool Presses;
        bool Stops;
    };
    const Case cases[] = {
        {"pressed in the host", Front::Host, false, false, true, true},
        {"pressed in the not responding host's ghost", Front::GhostOfHost, true, false, true, true},
        {"held from before, let go and pressed again", Front::Host, false, true, true, true},
        {"held from before and never let go", Front::Host, false, true, false, false},
        {"pressed in another program", Front::OtherProgram, false, false, true, false},
        {"pressed in another program while the host does not respond", Front::OtherProgram, true, false, true, false},
        {"pressed in a window where the host is, the host responding", Front::GhostOfHost, false, false, true, false},
    };
    // Any window of this process in front counts; the ghost stands where the host's top-level window is.
    Control *ours = Form(true);
    ours->GetWindowHandle();
    Control *other = Form(true);
    other->SetBoundsRect(RECT{500, 400, 700, 500});
    headless::SetWindowProcess(other->GetWindowHandle(), GetCurrentProcessId() + 1);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        XLGrid *grid = MakeGrid(0, 0);
        RECT hostRect;
        GetWindowRect(HostWindow, &hostRect);
        other->SetBoundsRect(c.InFront == Front::GhostOfHost ? hostRect : RECT{500, 400, 700, 500});
        SetForegroundWindow(c.InFront == Front::Host ? ours->Handle : other->Handle);
        headless::SetHungAppWindow(HostWindow, c.HostHung);
        headless::SetAsyncKeyDown(VK_ESCAPE, c.HeldAtStart);

        std::atomic<bool> done{false};
        std::thread user([&] {
            Sleep(40);
            if (c.HeldAtStart && c.Presses) {
                headless::SetAsyncKeyDown(VK_ESCAPE, false);
                Sleep(40);
            }
            if (c.Presses)
                headless::SetAsyncKeyDown(VK_ESCAPE, true);
            for (int waited = 0; !done; waited += 10) {
                if (waited > 30000) {
                    std::fprintf(stderr, "an endless query went on after Esc\n");
                    std::abort();
                }
                Sleep(10);
            }
        });
        const char *sql = c.Stops ? Endless : Bounded;
        const std::string answer = Run(grid, sql);
        done = true;
        user.join();
        headless::SetAsyncKeyDown(VK_ESCAPE, false);
        EXPECT_EQ(answer, c.Stops ? "error sql \r\n" : sql);
        EXPECT_EQ(Clicks(), c.Stops ? 1 : 0);
        EXPECT_EQ(TitlesText, c.Stops ? "" : "count(*)#");
        ExpectAgreeing(grid, RowsOfText().size());
        ObjectBase::Free(grid);
    }
    headless::SetHungAppWindow(HostWindow, false);
}

} // namespace

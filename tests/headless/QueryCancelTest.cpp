// Esc and a running query, with the keys' physical state and the foreground window set as the user would.
#include "db/CancelCheck.h"
#include "db/QueryFixture.h"
#include "headless/Inspect.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class QueryCancel : public QueryTest {
protected:
    void TearDown() override {
        headless::SetAsyncKeyDown(VK_ESCAPE, false);
        QueryTest::TearDown();
    }
};

// Esc held down while a window of this process is the foreground stops the statement; in another program, it does
// not. The stopped run is answered like a failed step and keeps the rows read.
TEST_F(QueryCancel, EscInTheHostStopsARunningStatement) {
    struct Case {
        const char *Name;
        const char *Sql;
        bool HostInFront;
        bool Stops;
        // Null where the stop may come before the first row or after it.
        const char *Titles;
    };
    const Case cases[] = {
        {"endless, no row", "with recursive c(x) as (select 1 union all select x + 1 from c) select count(*) from c",
         true, true, ""},
        {"endless, rows now and then",
         "with recursive c(x) as (select 1 union all select x + 1 from c) select x from c where x % 1000000 = 1", true,
         true, nullptr},
        {"in another program",
         "with recursive c(x) as (select 1 union all select x + 1 from c where x < 300000) select count(*) from c",
         false, false, "count(*)#"},
    };
    Control *host = Form(true);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        XLGrid *grid = MakeGrid(0, 0);
        if (c.HostInFront)
            SetForegroundWindow(host->GetWindowHandle());
        else
            SetActiveWindow(nullptr);
        headless::SetAsyncKeyDown(VK_ESCAPE, true);
        EXPECT_EQ(EscapePressedInHost(), c.HostInFront);
        const std::string answer = Run(grid, c.Sql);
        headless::SetAsyncKeyDown(VK_ESCAPE, false);
        EXPECT_EQ(answer, c.Stops ? "error sql \r\n" : c.Sql);
        EXPECT_EQ(Clicks(), c.Stops ? 1 : 0);
        if (c.Titles) {
            EXPECT_EQ(TitlesText, c.Titles);
        }
        EXPECT_EQ(ColCount(grid), 1);
        ExpectAgreeing(grid, RowsOfText().size());
        ObjectBase::Free(grid);
    }
}

} // namespace

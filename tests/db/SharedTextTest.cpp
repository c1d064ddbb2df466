// A text that grows by appends, charged to a budget: it may take room ahead, but never so much that the budget
// refuses an append that itself fits.
#include "db/SharedText.h"

#include <gtest/gtest.h>

#include <string>

#include "grid/MemoryBudget.h"

namespace {

TEST(SharedText, AnAppendThatFitsTheBudgetIsTakenWhateverRoomItWouldTakeAhead) {
    // Growing 1,000 bytes of room to hold 1,400 charges the new room while the old is held: 2,017 bytes to double,
    // 1,517 for half again, 1,417 for just the size.
    for (const std::size_t room : {3000u, 1600u, 1450u}) {
        SCOPED_TRACE(room);
        const std::size_t before = ResultBudget.Used();
        {
            SharedText text(&ResultBudget);
            text.Append(std::string(1000, 'a'));
            ResultBudget.SetLimit(ResultBudget.Used() + room);
            text.Append(std::string(400, 'b'));
            EXPECT_EQ(text.Size(), 1400u);
            EXPECT_EQ(text.View().substr(995, 10), "aaaaabbbbb");
            EXPECT_THROW(text.Append(std::string(room, 'c')), BudgetExceeded);
            EXPECT_EQ(text.Size(), 1400u) << "a refused append adds nothing";
            ResultBudget.UnfixLimit();
        }
        EXPECT_EQ(ResultBudget.Used(), before);
    }
}

} // namespace

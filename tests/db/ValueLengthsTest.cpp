// The lengths of a large result's values: read back in order across every chunk, charged while held and given back.
#include "db/ValueLengths.h"

#include <gtest/gtest.h>

#include "grid/MemoryBudget.h"

namespace {

TEST(ValueLengths, ReadBackInOrderAcrossChunksAndChargedWhileHeld) {
    const std::size_t before = ResultBudget.Used();
    {
        ValueLengths lengths;
        // Rows of 7 values, so rows straddle the chunks' ends.
        for (std::size_t i = 0; i < 300000; i += 7) {
            lengths.Reserve(7);
            for (std::size_t j = i; j < i + 7; ++j)
                lengths.Add(j % 1000 == 999 ? 4000000000u : j % 50);
        }
        EXPECT_GE(ResultBudget.Used() - before, 300000 * sizeof(std::uint32_t));
        ValueLengths::Reader reader(lengths);
        for (std::size_t j = 0; j < 300006; ++j)
            ASSERT_EQ(reader.Next(), j % 1000 == 999 ? 4000000000u : j % 50) << j;
    }
    EXPECT_EQ(ResultBudget.Used(), before);
}

TEST(ValueLengths, RoomRefusedByTheBudgetAddsNone) {
    ValueLengths lengths;
    ResultBudget.SetLimit(ResultBudget.Used());
    EXPECT_THROW(lengths.Reserve(1), BudgetExceeded);
    ResultBudget.UnfixLimit();
    lengths.Reserve(1);
    lengths.Add(5);
    ValueLengths::Reader reader(lengths);
    EXPECT_EQ(reader.Next(), 5u);
}

} // namespace

// The result budget's limit: exactly 640 MB in a 32-bit host (and in the native build that stands in for it); in a
// 64-bit host half the physical memory available as the query starts, never less than the 32-bit figure.
#include "grid/MemoryBudget.h"
#include "toolkit/platform/Win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::uint64_t MB = std::uint64_t{1} << 20;

TEST(MemoryBudgetLimit, FollowsTheHostsWidthAndTheMemoryAvailable) {
    struct Case {
        const char *Name;
        bool Wide;
        std::uint64_t Available;
        std::uint64_t Expected;
    };
    const Case cases[] = {
        {"32 bits, a large machine", false, 64 * 1024 * MB, 640 * MB},
        {"32 bits, little available", false, 100 * MB, 640 * MB},
        {"64 bits, nothing known", true, 0, 640 * MB},
        {"64 bits, half the available below 640 MB", true, 1000 * MB, 640 * MB},
        {"64 bits, half the available at 640 MB", true, 1280 * MB, 640 * MB},
        {"64 bits, half the available just above", true, 1282 * MB, 641 * MB},
        {"64 bits, 24 GB available", true, 24 * 1024 * MB, 12 * 1024 * MB},
        {"64 bits, an odd byte count", true, 4 * 1024 * MB + 3, 2 * 1024 * MB + 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MemoryBudget::LimitFor(c.Wide, c.Available), c.Expected) << c.Name;
    EXPECT_EQ(MemoryBudget::DefaultLimit, 640 * MB);
}

#ifdef _WIN64
std::uint64_t AvailablePhysical() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? status.ullAvailPhys : 0;
}
#endif

TEST(MemoryBudgetLimit, AQueryTakesTheLimitOfThisBuildsWidthUnlessATestFixedOne) {
    MemoryBudget budget;
    budget.SetLimit(1000);
    budget.ChooseLimit();
    EXPECT_EQ(budget.Limit(), 1000u) << "a fixed limit stays";

#ifdef _WIN64
    // What is available moves while the limit is chosen: the choice lies between the figures read around it.
    const std::uint64_t before = AvailablePhysical();
    budget.UnfixLimit();
    const std::uint64_t after = AvailablePhysical();
    EXPECT_GE(budget.Limit(), MemoryBudget::LimitFor(true, std::min(before, after)));
    EXPECT_LE(budget.Limit(), MemoryBudget::LimitFor(true, std::max(before, after)));
    EXPECT_GE(budget.Limit(), MemoryBudget::DefaultLimit);
#else
    budget.UnfixLimit();
    EXPECT_EQ(budget.Limit(), MemoryBudget::DefaultLimit);
#endif

    // What is held (charged under a larger fixed limit) bounds the choice from below, so nothing more gets in
    // rather than the count going wrong.
    budget.SetLimit(MemoryBudget::DefaultLimit * 2);
    budget.Charge(MemoryBudget::DefaultLimit + 1000);
    budget.UnfixLimit();
    EXPECT_GE(budget.Limit(), budget.Used());
    if (budget.Limit() == budget.Used()) {
        EXPECT_FALSE(budget.Fits(1));
    }
#ifndef _WIN64
    EXPECT_EQ(budget.Limit(), budget.Used());
#endif
}

} // namespace

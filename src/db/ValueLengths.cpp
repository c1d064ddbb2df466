#include "db/ValueLengths.h"

#include <algorithm>

#include "grid/MemoryBudget.h"

namespace {

// Chunks double from a size that suits a small result up to 1 MB, large enough that the heap maps each apart and
// hands it back to the system when freed.
constexpr std::size_t FirstChunk = 1024;
constexpr std::size_t MaxChunk = std::size_t{1} << 18;

} // namespace

ValueLengths::~ValueLengths() { ResultBudget.Release(Charged); }

void ValueLengths::Reserve(std::size_t count) {
    while (Free < count) {
        const std::size_t size = Chunks.empty() ? FirstChunk : std::min(MaxChunk, Chunks.back().Size * 2);
        const std::size_t cost = size * sizeof(std::uint32_t) + HeapBlockOverhead;
        ResultBudget.ChargeFor(cost, [&] {
            Chunks.reserve(Chunks.size() + 1);
            Chunks.push_back({std::make_unique_for_overwrite<std::uint32_t[]>(size), size, 0});
        });
        Charged += cost;
        Free += size;
    }
}

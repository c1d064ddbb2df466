// The length of every value a query read, in chunks that never move: a growing array copies all it holds each time it
// grows, and under Wine those copies into fresh memory cost more than reading the values did. Charged to the result
// budget while it lives.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class ValueLengths {
    struct Chunk {
        std::unique_ptr<std::uint32_t[]> Lengths;
        std::size_t Size = 0;
        std::size_t Count = 0;
    };

public:
    ValueLengths() = default;
    ValueLengths(const ValueLengths &) = delete;
    ValueLengths &operator=(const ValueLengths &) = delete;
    ~ValueLengths();

    // Room for count more lengths; throws std::bad_alloc or BudgetExceeded and adds none.
    void Reserve(std::size_t count);
    // Appends a length into reserved room. SQLite's length limit keeps every value under 4 GB.
    void Add(std::size_t length) {
        assert(Free > 0 && length <= UINT32_MAX);
        Chunk &last = Chunks[Filled];
        last.Lengths[last.Count++] = static_cast<std::uint32_t>(length);
        --Free;
        if (last.Count == last.Size)
            ++Filled;
    }

    // Reads the lengths in the order they were added.
    class Reader {
    public:
        explicit Reader(const ValueLengths &lengths) : Chunks(lengths.Chunks) {}
        std::size_t Next() {
            while (At == Chunks[InChunk].Count) {
                ++InChunk;
                At = 0;
            }
            return Chunks[InChunk].Lengths[At++];
        }

    private:
        const std::vector<Chunk> &Chunks;
        std::size_t InChunk = 0;
        std::size_t At = 0;
    };

private:
    std::vector<Chunk> Chunks;
    // The chunk being filled, and the room left in it and the ones after it.
    std::size_t Filled = 0;
    std::size_t Free = 0;
    std::size_t Charged = 0;
};

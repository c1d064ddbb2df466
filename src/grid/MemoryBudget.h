// The memory budget of query results: what the grid's cells, their texts and the result texts may hold together,
// so that one result never eats the address space of the host that loaded the plug-in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

// Thrown when a charge would pass the limit; a kind of allocation failure, so whoever copes with one copes with both.
class BudgetExceeded : public std::bad_alloc {
public:
    const char *what() const noexcept override { return "memory budget exceeded"; }
};

class MemoryBudget {
public:
    // A 32-bit host has 2 GB; a result may take 640 MB of it, so the host keeps well over 1 GB with its own
    // memory, ours and the heap's slack. 65,534 rows of 64 short columns take about 450 MB. It is also the least a
    // 64-bit host gets.
    static constexpr std::size_t DefaultLimit = std::size_t{640} << 20;

    // The limit of one query: DefaultLimit in a 32-bit host. A 64-bit host's address space bounds nothing; the
    // machine's memory does, so a result may take half the physical memory available as its query starts, leaving
    // the other half to the host, SQLite and the rest of the machine; never less than DefaultLimit.
    static std::uint64_t LimitFor(bool wideHost, std::uint64_t availablePhysical) {
        return wideHost && availablePhysical / 2 > DefaultLimit ? availablePhysical / 2 : DefaultLimit;
    }
    // Called as a query starts: the limit for it, from this process's width and what the machine has now, unless a
    // test fixed one with SetLimit. Never below what is held.
    void ChooseLimit();

    // Counts the bytes as held, or throws BudgetExceeded and counts nothing.
    void Charge(std::size_t bytes) {
        if (ChargesBeforeFailure != NoFailure && ChargesBeforeFailure-- == 0)
            throw std::bad_alloc();
        if (bytes > LimitBytes - UsedBytes)
            throw BudgetExceeded();
        UsedBytes += bytes;
    }
    void Release(std::size_t bytes) noexcept { UsedBytes -= bytes < UsedBytes ? bytes : UsedBytes; }
    bool Fits(std::size_t bytes) const { return bytes <= LimitBytes - UsedBytes; }

    // Runs grow, which replaces storage charged `from` bytes by storage of `to` bytes: both are charged while it
    // runs, as both are held while a block is copied into a larger one.
    template <class Grow> void Regrow(std::size_t from, std::size_t to, Grow grow) {
        Charge(to);
        try {
            grow();
        } catch (...) {
            Release(to);
            throw;
        }
        Release(from);
    }
    // Runs make, which allocates storage of `bytes`, charged; nothing stays charged when it fails.
    template <class Make> void ChargeFor(std::size_t bytes, Make make) { Regrow(0, bytes, make); }

    std::size_t Used() const { return UsedBytes; }
    // The total a result may hold: the one figure that whatever else bounds a query's memory follows.
    std::size_t Limit() const { return LimitBytes; }
    // For tests, which reach the limit with small results: fixes the limit until UnfixLimit, whatever ChooseLimit
    // would choose; a limit below what is held lets nothing more in.
    void SetLimit(std::size_t bytes) {
        LimitBytes = bytes < UsedBytes ? UsedBytes : bytes;
        Fixed = true;
    }
    void UnfixLimit() {
        Fixed = false;
        ChooseLimit();
    }
    // For tests: the charge after the next `charges` ones fails as an allocation would, once; NoFailure cancels.
    static constexpr std::size_t NoFailure = ~std::size_t{0};
    void FailAfter(std::size_t charges) { ChargesBeforeFailure = charges; }

private:
    std::size_t UsedBytes = 0;
    std::size_t LimitBytes = DefaultLimit;
    std::size_t ChargesBeforeFailure = NoFailure;
    bool Fixed = false;
};

// The one budget every result charges: the grid's cell store and rows, and the titles and rows texts.
extern MemoryBudget ResultBudget;

// What a heap block costs beyond the bytes asked for, as the charges count it.
constexpr std::size_t HeapBlockOverhead = 16;

// The text of a grid cell: a single word, null while the text is empty, so that the many empty cells of a large
// result cost one word each for their text. The text is either its own allocation or borrowed room in the grid's
// cell store, which outlives every cell of its grid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CellText {
public:
    CellText() = default;
    // A text lives in its cell: a copy or move could take borrowed room out of the store that frees it.
    CellText(const CellText &) = delete;
    CellText &operator=(const CellText &) = delete;
    ~CellText() { Clear(); }

    // What a cell keeps of a text: up to an embedded zero byte, as every reader takes it as a C string. Looked for in
    // line: a result's texts are a few bytes each, and a call into the C library per text cost more under Wine than
    // looking at them.
    static std::string_view Storable(std::string_view text) {
        std::size_t length = 0;
        while (length < text.size() && text[length] != '\0')
            ++length;
        return text.substr(0, length);
    }

    void Assign(std::string_view text);
    // Copies a storable, non-empty text into room of at least its size + 1 bytes, at an even address, that someone
    // else owns and frees.
    void Borrow(std::string_view text, char *room);
    void Clear();

    // Never null: an empty text is a single zero byte.
    const char *CStr() const { return Bits ? reinterpret_cast<const char *>(Bits & ~BorrowedBit) : ""; }
    std::string_view View() const { return CStr(); }
    std::string Str() const { return CStr(); }
    bool Empty() const { return !Bits; }
    bool Borrowed() const { return Bits & BorrowedBit; }

    friend bool operator==(const CellText &text, std::string_view other) { return text.View() == other; }

    // A borrowed text as the single word a cell keeps, for a row entry that holds the text of a cell not made yet:
    // the copy Borrow makes, its text, and the word taken over by the cell once it is made.
    static std::uintptr_t BorrowedBits(std::string_view text, char *room);
    static std::string_view BorrowedView(std::uintptr_t bits) {
        return bits ? reinterpret_cast<const char *>(bits & ~BorrowedBit) : "";
    }
    void TakeBorrowed(std::uintptr_t bits) { Replace(bits); }

    // Own allocations are malloc'ed and so at least even; borrowed room is even too, which frees the low bit.
    static constexpr std::uintptr_t BorrowedBit = 1;

private:
    void Replace(std::uintptr_t bits);

    // A NUL-terminated, never empty text, or 0.
    std::uintptr_t Bits = 0;
};

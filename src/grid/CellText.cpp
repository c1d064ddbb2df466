#include "grid/CellText.h"

#include <cassert>
#include <cstdlib>
#include <cstring>
#include <new>

void CellText::Assign(std::string_view text) {
    text = Storable(text);
    char *copy = nullptr;
    if (!text.empty()) {
        copy = static_cast<char *>(std::malloc(text.size() + 1));
        if (!copy)
            throw std::bad_alloc();
        std::memcpy(copy, text.data(), text.size());
        copy[text.size()] = '\0';
    }
    // Copied before the old text goes: the argument may point into it.
    Replace(reinterpret_cast<std::uintptr_t>(copy));
}

std::uintptr_t CellText::BorrowedBits(std::string_view text, char *room) {
    assert(!text.empty() && text.find('\0') == text.npos &&
           (reinterpret_cast<std::uintptr_t>(room) & BorrowedBit) == 0);
    // Copied in line, as Storable looks: borrowed texts are short.
    for (std::size_t i = 0; i < text.size(); ++i)
        room[i] = text[i];
    room[text.size()] = '\0';
    return reinterpret_cast<std::uintptr_t>(room) | BorrowedBit;
}

void CellText::Borrow(std::string_view text, char *room) { Replace(BorrowedBits(text, room)); }

void CellText::Clear() { Replace(0); }

void CellText::Replace(std::uintptr_t bits) {
    if (Bits && !Borrowed())
        std::free(reinterpret_cast<char *>(Bits));
    Bits = bits;
}

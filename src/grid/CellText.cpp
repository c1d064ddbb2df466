#include "grid/CellText.h"

#include <cstdlib>
#include <cstring>
#include <new>

CellText &CellText::operator=(const CellText &other) {
    if (this != &other)
        Assign(other.View());
    return *this;
}

CellText &CellText::operator=(CellText &&other) noexcept {
    if (this != &other) {
        Clear();
        Data = other.Data;
        other.Data = nullptr;
    }
    return *this;
}

void CellText::Assign(std::string_view text) {
    // The text is cut at an embedded zero byte, as every reader takes it as a C string.
    text = text.substr(0, text.find('\0'));
    char *copy = nullptr;
    if (!text.empty()) {
        copy = static_cast<char *>(std::malloc(text.size() + 1));
        if (!copy)
            throw std::bad_alloc();
        std::memcpy(copy, text.data(), text.size());
        copy[text.size()] = '\0';
    }
    // Copied before the old text goes: the argument may point into it.
    std::free(Data);
    Data = copy;
}

void CellText::Clear() {
    std::free(Data);
    Data = nullptr;
}

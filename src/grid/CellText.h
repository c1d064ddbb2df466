// The text of a grid cell: a single pointer, null while the text is empty, so that the many empty cells of a
// large result cost one word each for their text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class CellText {
public:
    CellText() = default;
    explicit CellText(std::string_view text) { Assign(text); }
    CellText(const CellText &other) { Assign(other.View()); }
    CellText(CellText &&other) noexcept : Data(other.Data) { other.Data = nullptr; }
    CellText &operator=(const CellText &other);
    CellText &operator=(CellText &&other) noexcept;
    ~CellText() { Clear(); }

    void Assign(std::string_view text);
    void Clear();

    // Never null: an empty text is a single zero byte.
    const char *CStr() const { return Data ? Data : ""; }
    std::string_view View() const { return CStr(); }
    std::string Str() const { return CStr(); }
    bool Empty() const { return !Data; }

    friend bool operator==(const CellText &text, std::string_view other) { return text.View() == other; }

private:
    // A malloc'ed, NUL-terminated copy; never an empty string.
    char *Data = nullptr;
};

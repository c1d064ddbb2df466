// An 8-bit text whose copies share one storage until one of them is changed: the exchange text takes a result text
// this way, without a second copy of a large result that could fail.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class MemoryBudget;

class SharedText {
public:
    constexpr SharedText() = default;
    // A text whose appends charge the budget for its storage, for as long as the storage lives.
    constexpr explicit SharedText(MemoryBudget *budget) : Budget(budget) {}
    // Copies share the storage; the budget stays with the text it was given to.
    SharedText(const SharedText &other) : Data(other.Data), Fixed(other.Fixed) {}
    SharedText &operator=(const SharedText &other) {
        Data = other.Data;
        Fixed = other.Fixed;
        return *this;
    }
    // A copy of the bytes, up to an embedded zero byte as every reader takes it as a C string.
    SharedText &operator=(std::string_view text);
    SharedText &operator=(const char *text) { return *this = std::string_view(text ? text : ""); }
    SharedText &operator=(const std::string &text) { return *this = std::string_view(text); }

    // Points at a text in static storage: nothing is allocated, so a failure line can be written whatever happened.
    void SetStatic(const char *text) noexcept;

    void Append(std::string_view text);
    void Append(char c) { Append(std::string_view(&c, 1)); }
    // Appends count bytes that write, which must not throw, puts in place: a text written in many pieces grows once.
    template <class Write> void Append(std::size_t count, Write write) { write(Grow(count)); }
    // Cuts the text to its first size bytes.
    void Truncate(std::size_t size);
    // Lets go of the storage, which is freed once no copy holds it.
    void Clear() noexcept;

    // Never null: an empty text is a single zero byte.
    const char *CStr() const noexcept;
    std::string_view View() const noexcept;
    std::string Str() const { return std::string(View()); }
    std::size_t Size() const noexcept { return View().size(); }
    bool Empty() const noexcept { return Size() == 0; }

    friend bool operator==(const SharedText &text, std::string_view other) { return text.View() == other; }

    // One malloc'ed block and its size, shared by the copies of a text.
    struct Storage;

private:
    // Storage of the text's own, holding the content and room for at least `size` bytes.
    Storage &Own(std::size_t size);
    // Room for count more bytes at the end, counted in the size and left for the caller to write.
    char *Grow(std::size_t count);

    MemoryBudget *Budget = nullptr;
    std::shared_ptr<Storage> Data;
    // A static text, when Data is null.
    const char *Fixed = nullptr;
};

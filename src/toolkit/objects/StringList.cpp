#include "toolkit/objects/StringList.h"

#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>

#include "toolkit/objects/PtrList.h"

namespace {

// An empty line is kept as no copy at all: a grid's row titles are mostly empty, one per row of a large result.
char *CopyLine(std::string_view text) {
    if (text.empty())
        return nullptr;
    auto *copy = static_cast<char *>(std::malloc(text.size() + 1));
    if (!copy)
        throw std::bad_alloc();
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
}

} // namespace

StringList *NewStringList() { return NewObject<StringList>(); }

void StringList::Init() {
    ObjectBase::Init();
    NameValueSeparator = '=';
}

void StringList::Destroy() {
    Clear();
    ObjectBase::Destroy();
}

bool StringList::Insert(std::int32_t index, std::string_view text) {
    // Checked here rather than left to Lines, so a refused position neither leaks the copy nor skews Count.
    if (index < 0 || index > Count)
        return false;
    if (!Lines)
        Lines = NewPtrList();
    char *copy = CopyLine(text);
    try {
        Lines->Insert(index, copy);
    } catch (...) {
        std::free(copy);
        throw;
    }
    ++Count;
    return true;
}

std::int32_t StringList::Add(std::string_view text) {
    std::int32_t index = Count;
    Insert(index, text);
    return index;
}

std::string StringList::Get(std::int32_t index) const {
    if (!Lines)
        return {};
    auto *line = static_cast<const char *>(Lines->Get(index));
    return line ? std::string(line) : std::string();
}

void StringList::Put(std::int32_t index, std::string_view text) {
    if (!Lines || index < 0 || index >= Count)
        return;
    char *copy = CopyLine(text);
    ReleaseLine(static_cast<char *>(Lines->Get(index)));
    Lines->Put(index, copy);
}

void StringList::Delete(std::int32_t index) {
    // An unchecked delete would lower Count without removing a line and leave the two out of step.
    if (!Lines || index < 0 || index >= Count)
        return;
    char *line = static_cast<char *>(Lines->Get(index));
    Lines->Delete(index);
    --Count;
    ReleaseLine(line);
}

void StringList::Resize(std::int32_t n) {
    if (n < 0)
        n = 0;
    if (n > Count) {
        if (!Lines)
            Lines = NewPtrList();
        Lines->Reserve(n);
        while (Lines->Count < n)
            Lines->Add(nullptr); // an empty line has no copy
        Count = n;
        return;
    }
    if (n == Count)
        return;
    for (std::int32_t i = Count - 1; i >= n; --i)
        ReleaseLine(static_cast<char *>(Lines->Get(i)));
    Lines->DeleteRange(n, Count - n);
    Count = n;
}

void StringList::Clear() {
    for (std::int32_t i = Count - 1; i >= 0; --i)
        Delete(i);
    TextBufferSize = 0;
    std::free(TextBuffer);
    TextBuffer = nullptr;
    FreeAndClear(Lines);
}

void StringList::ReleaseLine(char *line) const {
    // std::less gives a total order even for pointers outside the buffer, where the built-in < does not.
    std::less<const char *> before;
    bool inBuffer = TextBuffer && !before(line, TextBuffer) && before(line, TextBuffer + TextBufferSize);
    if (!inBuffer)
        std::free(line);
}

// A list of texts, each kept as its own NUL-terminated copy: query results and column titles.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/objects/ObjectBase.h"

class PtrList;

// Like PtrList, out-of-range reads give an empty text and out-of-range writes are ignored.
class StringList : public ObjectBase {
public:
    void Init() override;
    void Destroy() override;

    // Valid positions are 0 to Count (Count appends); returns false and changes nothing otherwise.
    bool Insert(std::int32_t index, std::string_view text);
    // Appends and returns the new line's index.
    std::int32_t Add(std::string_view text);
    std::string Get(std::int32_t index) const;
    void Put(std::int32_t index, std::string_view text);
    void Delete(std::int32_t index);
    // Appends empty lines or drops lines from the end until there are n.
    void Resize(std::int32_t n);
    void Clear();

    // Pointers to the line copies, null for an empty line; created on first insertion.
    PtrList *Lines = nullptr;
    std::int32_t Count = 0;
    // One malloc'ed block that may hold lines loaded in bulk. Lines pointing into it are not freed one by one;
    // the block goes as a whole with Clear.
    char *TextBuffer = nullptr;
    std::int32_t TextBufferSize = 0;
    char NameValueSeparator = '\0';

protected:
    ~StringList() override = default;

private:
    void ReleaseLine(char *line) const;
};

StringList *NewStringList();

// SQLite speaks UTF-8; the host and the ANSI Win32 calls speak the ANSI code page.
#pragma once

#include <string>
#include <string_view>

bool IsValidUtf8(std::string_view text);

// A host text as UTF-8: valid UTF-8 stays as it is, anything else is read in
// the ANSI code page.
std::string HostTextToUtf8(const std::string &text);

// UTF-8 to UTF-16 code units (as the platform's wide character type).
std::wstring Utf8ToWide(std::string_view text);

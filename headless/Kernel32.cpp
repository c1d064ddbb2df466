#include "headless/Kernel32.h"

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include <sys/syscall.h>
#include <unistd.h>

namespace {
thread_local DWORD lastError = 0;

// Emits the result into the caller's buffer, or only counts when none is given.
template <class Unit> int Deliver(const std::vector<Unit> &out, Unit *buffer, int capacity) {
    const int needed = static_cast<int>(out.size());
    if (capacity == 0)
        return needed;
    if (capacity < needed) {
        lastError = ERROR_INSUFFICIENT_BUFFER;
        return 0;
    }
    std::memcpy(buffer, out.data(), out.size() * sizeof(Unit));
    return needed;
}

std::size_t Length(const char *text, int length) { return length < 0 ? std::strlen(text) + 1 : std::size_t(length); }
std::size_t Length(const wchar_t *text, int length) {
    if (length >= 0)
        return std::size_t(length);
    std::size_t n = 0;
    while (text[n])
        ++n;
    return n + 1;
}
} // namespace

DWORD GetCurrentThreadId() { return static_cast<DWORD>(::syscall(SYS_gettid)); }

DWORD GetCurrentProcessId() { return static_cast<DWORD>(::getpid()); }

DWORD GetTickCount() {
    using namespace std::chrono;
    return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

DWORD GetLastError() { return lastError; }
void SetLastError(DWORD error) { lastError = error; }
void Sleep(DWORD milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

HMODULE GetModuleHandleA(LPCSTR) { return reinterpret_cast<HMODULE>(0x400000); }

BOOL GetModuleHandleExA(DWORD, LPCSTR name, HMODULE *module) {
    if (!module)
        return FALSE;
    *module = GetModuleHandleA(name);
    return TRUE;
}

int MultiByteToWideChar(UINT codePage, DWORD, LPCCH text, int length, LPWSTR wide, int wideLength) {
    const std::size_t n = Length(text, length);
    std::vector<wchar_t> out;
    for (std::size_t i = 0; i < n;) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::uint32_t code = lead;
        std::size_t extra = 0;
        if (codePage == CP_UTF8 && lead >= 0x80) {
            extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
            code = extra ? lead & (0x3F >> extra) : 0xFFFD;
            for (std::size_t k = 1; k <= extra && i + k < n; ++k)
                code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<wchar_t>(code));
        }
        i += extra + 1;
    }
    return Deliver(out, wide, wideLength);
}

int WideCharToMultiByte(UINT codePage, DWORD, LPCWCH wide, int wideLength, LPSTR text, int length, LPCCH,
                        LPBOOL usedDefault) {
    const std::size_t n = Length(wide, wideLength);
    std::vector<char> out;
    bool replaced = false;
    for (std::size_t i = 0; i < n; ++i) {
        std::uint32_t code = static_cast<std::uint32_t>(wide[i]);
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < n) {
            code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<std::uint32_t>(wide[i + 1]) - 0xDC00);
            ++i;
        }
        if (codePage != CP_UTF8) {
            replaced |= code > 0xFF;
            out.push_back(code > 0xFF ? '?' : static_cast<char>(code));
        } else if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    if (usedDefault)
        *usedDefault = replaced;
    return Deliver(out, text, length);
}

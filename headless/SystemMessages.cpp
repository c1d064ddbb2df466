#include "headless/Kernel32.h"

#include <cstring>
#include <string>

namespace {

const char *SystemText(DWORD code) {
    switch (code) {
    case 0:
        return "Success.";
    case 2:
        return "File not found.";
    case 5:
        return "Access denied.";
    case 6:
        return "Invalid handle.";
    case 8:
        return "Not enough memory.";
    case 14:
        return "Out of memory.";
    case 87:
        return "Invalid parameter.";
    case 122:
        return "Insufficient buffer.";
    case 1400:
        return "Invalid window handle.";
    default:
        return nullptr;
    }
}

} // namespace

DWORD FormatMessageA(DWORD flags, LPCVOID, DWORD messageId, DWORD, LPSTR buffer, DWORD size, void *) {
    const char *text = flags & FORMAT_MESSAGE_FROM_SYSTEM ? SystemText(messageId) : nullptr;
    if (!text) {
        SetLastError(ERROR_MR_MID_NOT_FOUND);
        return 0;
    }
    const std::string message = std::string(text) + "\r\n";
    if (!buffer || message.size() + 1 > size) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(buffer, message.c_str(), message.size() + 1);
    return DWORD(message.size());
}

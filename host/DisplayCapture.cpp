// Starting the display capture script from inside Wine and reading back its picture.
#include "DisplayCapture.h"

#include <cstdio>
#include <fstream>

namespace {

// Wine runs a file that is no Windows program as a Unix one, through its own Z: drive for the root.
std::string WindowsPathOf(const std::string &unixPath) {
    if (unixPath.empty() || unixPath[0] != '/')
        return unixPath;
    std::string path = "Z:" + unixPath;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

bool FileExists(const std::string &path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The script runs detached (Wine hands back no process to wait for) and renames its picture into place when done.
constexpr DWORD CaptureWaitMs = 60000;

} // namespace

bool CaptureDisplay(const std::string &script, const RECT &screen, const std::string &path) {
    DeleteFileA(path.c_str());
    const std::string program = WindowsPathOf(script);
    char command[1024];
    std::snprintf(command, sizeof command, "\"%s\" \"%s\" %ld %ld %ld %ld", program.c_str(), path.c_str(), screen.left,
                  screen.top, screen.right - screen.left, screen.bottom - screen.top);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hProcess)
        CloseHandle(process.hProcess);
    if (process.hThread)
        CloseHandle(process.hThread);
    const DWORD start = GetTickCount();
    while (!FileExists(path)) {
        if (GetTickCount() - start > CaptureWaitMs)
            return false;
        Sleep(20);
    }
    return true;
}

bool ReadPpm(const std::string &path, Pixels &picture) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    if (!(in >> magic >> picture.Width >> picture.Height >> maxValue) || magic != "P6" || maxValue != 255 ||
        picture.Width <= 0 || picture.Height <= 0)
        return false;
    in.get(); // the one whitespace byte before the pixels
    const std::size_t count = static_cast<std::size_t>(picture.Width) * picture.Height;
    std::vector<unsigned char> bytes(count * 3);
    if (!in.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        return false;
    picture.Values.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        picture.Values[i] = RGB(bytes[i * 3], bytes[i * 3 + 1], bytes[i * 3 + 2]);
    return true;
}

// What the benchmarks that drive the plug-in as its host does share: a database made for the run, a host window and
// a pump of the toolkit's messages.
#pragma once

#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "toolkit/platform/Win32.h"
#include "toolkit/windows/Control.h"

// A fresh database file at path holding what sql makes.
inline void MakeBenchDatabase(const std::string &path, const std::string &sql) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    sqlite3 *db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// The table `wide` of rows rows x 8 columns of numbers, texts and nulls.
inline std::string WideTableSql(int rows) {
    return "create table wide(a integer, b text, c real, d text, e integer, f text, g text, h integer);"
           "insert into wide with recursive n(i) as (select 1 union all select i + 1 from n where i < " +
           std::to_string(rows) +
           ") select i, 'name ' || i, i * 0.25, 'city ' || (i % 97), i % 13, null, hex(i), i * 7 from n;";
}

inline LRESULT CALLBACK BenchHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// A shown, inactive top-level window of the given size, as a host's.
inline HWND MakeBenchHost(const char *className, int width, int height) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BenchHostProc;
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    HWND host = CreateWindowExA(0, className, "bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, width, height,
                                nullptr, nullptr, nullptr, nullptr);
    ShowWindow(host, SW_SHOWNA);
    return host;
}

// Runs the toolkit's messages for a while: long enough, say, for the viewer's 500 ms timer to move it into the host.
inline void PumpFor(int milliseconds) {
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() < milliseconds) {
        Control::ProcessMessages();
        Sleep(5);
    }
}

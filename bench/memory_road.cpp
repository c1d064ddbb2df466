// The memory road: openbase + sqlrun of 65,534 rows x 64 short columns, as a host drives the plug-in, then the same
// viewer given a one-row result. Prints the peak memory of the large result and what stays held once the one-row
// result replaced it, both against the memory held before the query. On Windows the real DLL is loaded, so the
// same program measures any build of it.
#include "BenchHost.h"
#include "BenchSupport.h"
#include "plugin/PluginExports.h"
#include "plugin/ProductInfo.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

namespace {

// The exports the road calls, from the loaded DLL on Windows, from the linked plug-in natively.
struct Exports {
    void (*SetParentWindow)(HWND) = nullptr;
    BOOL (*Draw)(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t) = nullptr;
    void (*SetFile)(const char *) = nullptr;
    const char *(*GetFile)() = nullptr;
    void (*openbase)() = nullptr;
    void (*sqlrun)() = nullptr;
    void (*gettituls)() = nullptr;
    void (*getrows)() = nullptr;
};

#ifdef _WIN32
template <class Fn> bool Resolve(HMODULE module, Fn &fn, const char *name) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void *>(GetProcAddress(module, name)));
    return fn != nullptr;
}

bool LoadExports(Exports &e) {
    const HMODULE module = LoadLibraryA(PLUGIN_FILE_NAME);
    return module && Resolve(module, e.SetParentWindow, "SetParentWindow") && Resolve(module, e.Draw, "Draw") &&
           Resolve(module, e.SetFile, "SetFile") && Resolve(module, e.GetFile, "GetFile") &&
           Resolve(module, e.openbase, "openbase") && Resolve(module, e.sqlrun, "sqlrun") &&
           Resolve(module, e.gettituls, "gettituls") && Resolve(module, e.getrows, "getrows");
}

// Private memory committed in the process: what a 32-bit host's address space loses to it.
std::int64_t MemoryHeld() {
    std::int64_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto *at = static_cast<const char *>(nullptr); VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<const char *>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += static_cast<std::int64_t>(region.RegionSize);
        if (region.RegionSize == 0 || reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize <
                                          reinterpret_cast<std::uintptr_t>(at))
            break;
    }
    return total;
}
#else
bool LoadExports(Exports &e) {
    e = {&SetParentWindow, &Draw, &SetFile, &GetFile, &openbase, &sqlrun, &gettituls, &getrows};
    return true;
}

std::int64_t MemoryHeld() { return HeapInUse(); }
#endif

constexpr int Columns = 64;
constexpr int Rows = 65534;

void MakeDatabase(const std::string &path) {
    std::string columns, values;
    for (int c = 0; c < Columns; ++c) {
        columns += (c ? ", c" : "c") + std::to_string(c);
        // Short values of both kinds: small integers and texts of a few characters.
        values += (c ? ", " : "") +
                  (c % 2 ? "'v' || (i % " + std::to_string(97 + c) + ")" : "i % " + std::to_string(1000 + c));
    }
    MakeBenchDatabase(path, "create table wide(" + columns +
                                "); insert into wide with recursive n(i) as (select 1 "
                                "union all select i + 1 from n where i < " +
                                std::to_string(Rows) + ") select " + values + " from n;");
}

// Dispatches what the host's loop would, for the given time.
void Pump(int milliseconds) {
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(milliseconds)) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    }
}

// The most memory held while the call runs, looked at from another thread every few milliseconds.
template <class Call> std::int64_t PeakDuring(Call call) {
    std::atomic<bool> done{false};
    std::atomic<std::int64_t> peak{MemoryHeld()};
    std::thread watcher([&] {
        while (!done) {
            const std::int64_t held = MemoryHeld();
            if (held > peak)
                peak = held;
            Sleep(2);
        }
    });
    call();
    done = true;
    watcher.join();
    return std::max<std::int64_t>(peak, MemoryHeld());
}

double Megabytes(std::int64_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

} // namespace

int main() {
    Exports plugin;
    if (!LoadExports(plugin)) {
        std::printf("%s_memory_road: cannot load the plug-in\n", Platform);
        return 1;
    }
    const std::string path = (std::filesystem::temp_directory_path() / "bench_memory_road.db").string();
    MakeDatabase(path);

    HWND host = MakeBenchHost("MemoryBenchHost", 900, 600);
    plugin.SetParentWindow(host);
    plugin.Draw(0, 8, 8, 880, 540);
    Pump(700);
    plugin.SetFile(path.c_str());
    plugin.openbase();
    Pump(100);

    const std::int64_t start = MemoryHeld();
    const std::int64_t peak = PeakDuring([&] {
        plugin.SetFile("select * from wide");
        plugin.sqlrun();
        Pump(100);
        // The host fetches both texts.
        plugin.gettituls();
        plugin.getrows();
        const std::size_t rowsText = std::string_view(plugin.GetFile()).size();
        std::printf("%s_memory_road_rows_text: %.1f MB\n", Platform, Megabytes(static_cast<std::int64_t>(rowsText)));
    });
    plugin.SetFile("select 1");
    plugin.sqlrun();
    Pump(100);
    const std::int64_t retained = MemoryHeld() - start;

    std::printf("%s_peak_mb: %.1f MB\n", Platform, Megabytes(peak - start));
    std::printf("%s_retained_mb: %.1f MB\n", Platform, Megabytes(retained));
    std::fflush(stdout);
    DestroyWindow(host);
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return 0;
}

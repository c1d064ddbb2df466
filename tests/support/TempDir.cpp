#include "support/TempDir.h"

#include <atomic>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    std::random_device random;
    Root = fs::temp_directory_path() /
           ("viewtest-" + std::to_string(random()) + "-" + std::to_string(counter.fetch_add(1)));
    fs::create_directories(Root);
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(Root, ignored);
}

std::string TempDir::File(const std::string &name) const {
    const auto path = (Root / fs::path(std::u8string(name.begin(), name.end()))).u8string();
    return std::string(path.begin(), path.end());
}

void WriteFile(const std::string &utf8Path, const std::string &bytes) {
    std::ofstream out(fs::path(std::u8string(utf8Path.begin(), utf8Path.end())), std::ios::binary);
    out << bytes;
}

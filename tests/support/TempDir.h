// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &Path() const { return Root; }
    // The path of a name inside the folder, as a UTF-8 text.
    std::string File(const std::string &name) const;

private:
    std::filesystem::path Root;
};

// Writes bytes to a file (a helper for making non-database files).
void WriteFile(const std::string &utf8Path, const std::string &bytes);

// The DLL's version resource, read back as Windows reads it for the file's properties, against VERSION (through
// PLUGIN_VERSION) and what the exports say.
#include "PluginLibrary.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

class VersionResource : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Plugin.Load(PLUGIN_FILE_NAME), "");
        char path[MAX_PATH] = {};
        ASSERT_GT(GetModuleFileNameA(Plugin.Module, path, MAX_PATH), 0u);
        FileName = std::strrchr(path, '\\') ? std::strrchr(path, '\\') + 1 : path;
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
        ASSERT_GT(size, 0u) << "no version resource";
        Info.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, Info.data()));
    }

    // A string of the table that the first translation names: Explorer looks the fields up the same way, so a
    // table under another language or code page shows nothing.
    std::string StringValue(const char *name) {
        struct Translation {
            WORD Language;
            WORD CodePage;
        };
        Translation *translations = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(Info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void **>(&translations),
                            &length) ||
            length < sizeof(Translation))
            return "(no translation)";
        char key[128];
        std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\%s", translations[0].Language,
                      translations[0].CodePage, name);
        char *value = nullptr;
        if (!VerQueryValueA(Info.data(), key, reinterpret_cast<void **>(&value), &length) || !value)
            return "(missing)";
        return value;
    }

    PluginLibrary Plugin;
    std::vector<BYTE> Info;
    std::string FileName;
};

TEST_F(VersionResource, EveryTextNamesThisReleaseAndItsMaker) {
    struct Field {
        const char *Name;
        std::string Expected;
    };
    const Field fields[] = {
        {"FileVersion", PLUGIN_VERSION},
        {"ProductVersion", PLUGIN_VERSION},
        {"ProductName", Plugin.GetShortInfo()},
        {"CompanyName", "Tessaro Software"},
        {"LegalCopyright", Plugin.Copyright()},
        // The file as built, so a resource that names the other width's file is caught.
        {"OriginalFilename", FileName},
        {"InternalName", FileName.substr(0, FileName.rfind('.'))},
        // Which host the DLL is for, as Explorer's Details tab shows it: the width of this process.
        {"FileDescription", sizeof(void *) == 8 ? "SQLite database viewer plug-in for 64-bit hosts"
                                                : "SQLite database viewer plug-in for 32-bit hosts"},
    };
    for (const Field &field : fields)
        EXPECT_EQ(StringValue(field.Name), field.Expected) << field.Name;
}

TEST_F(VersionResource, TheFixedPartGivesTheSameVersionForADll) {
    unsigned major = 0, minor = 0, patch = 0;
    ASSERT_EQ(std::sscanf(PLUGIN_VERSION, "%u.%u.%u", &major, &minor, &patch), 3);
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(Info.data(), "\\", reinterpret_cast<void **>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(minor, major)));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, patch)));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "no debug, pre-release or patched flag";
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

} // namespace

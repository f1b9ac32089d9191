// The manifest built into the program asks for the common controls of the
// program's own architecture. One that names another architecture binds a
// library the process cannot load wherever the system holds both kinds (every
// 64-bit Windows, and Wine prefixes with a 32-bit side), and the program does
// not start there at all.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/testkit.h"

namespace {

std::string ManifestOf(HMODULE module) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    if (!found)
        return "";
    HGLOBAL loaded = LoadResource(module, found);
    const char* data = loaded ? (const char*)LockResource(loaded) : NULL;
    return data ? std::string(data, SizeofResource(module, found)) : "";
}

std::vector<std::string> ArchitectureValues(const std::string& manifest) {
    const std::string key = "processorArchitecture=\"";
    std::vector<std::string> values;
    for (size_t at = manifest.find(key); at != std::string::npos; at = manifest.find(key, at)) {
        at += key.size();
        values.push_back(manifest.substr(at, manifest.find('"', at) - at));
    }
    return values;
}

void ExpectFitsThisArchitecture(const std::string& manifest, const char* what) {
    const char* own = sizeof(void*) == 8 ? "amd64" : "x86";
    std::vector<std::string> values = ArchitectureValues(manifest);
    EXPECT_EQ(values.size(), 2u) << what << ": the program and the common controls";
    for (const std::string& value : values)
        EXPECT_TRUE(value == "*" || lstrcmpiA(value.c_str(), own) == 0)
            << what << " names " << value << " in a " << own << " program";
}

TEST(Manifest, NamesNoArchitectureButThisProgramsOwn) {
    std::string program = testkit::ProgramFolder() + "..\\jotwell.exe";
    HMODULE image = LoadLibraryExA(program.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, (HMODULE)NULL) << program;
    ExpectFitsThisArchitecture(ManifestOf(image), "jotwell.exe");
    FreeLibrary(image);
    ExpectFitsThisArchitecture(ManifestOf(GetModuleHandleA(NULL)), "the test program");
}

// Per-monitor awareness, declared where the system reads it before the
// first window; systems that know only dpiAware take it from there.
TEST(Manifest, DeclaresPerMonitorDpiAwareness) {
    HMODULE image = LoadLibraryExA((testkit::ProgramFolder() + "..\\jotwell.exe").c_str(), NULL,
                                   LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, (HMODULE)NULL);
    std::string manifest = ManifestOf(image);
    FreeLibrary(image);
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
}

}  // namespace

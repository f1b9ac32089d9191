// System libraries come from the system folder, whatever lies beside the
// program or in the current folder.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/win32/testkit.h"
#include "util/lsystemlibrary.h"

namespace {

std::string ModuleFolder(HMODULE module) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(module, path, MAX_PATH);
    std::string text = path;
    return text.substr(0, text.find_last_of('\\'));
}

TEST(SystemLibrary, ComesFromTheSystemFolderNotFromBesideTheProgram) {
    ASSERT_EQ(GetModuleHandleA("riched20.dll"), (HMODULE)NULL) << "loaded before the test";
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    std::string beside = ModuleFolder(NULL) + "\\riched20.dll";
    // A copy of another system library under the wanted name: it loads, so
    // a bare name would take it.
    ASSERT_TRUE(CopyFileA((std::string(system) + "\\version.dll").c_str(), beside.c_str(), FALSE));
    HMODULE module = LoadSystemLibrary("riched20.dll");
    ASSERT_NE(module, (HMODULE)NULL);
    EXPECT_EQ(lstrcmpiA(ModuleFolder(module).c_str(), system), 0) << ModuleFolder(module);
    EXPECT_NE(GetProcAddress(module, "CreateTextServices"), (FARPROC)NULL);
    DeleteFileA(beside.c_str());
}

}  // namespace

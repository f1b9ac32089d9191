#include "bench/winbenchkit.h"

#include <windows.h>
#include <shlwapi.h>

namespace {
const char kSettingsKey[] = "Software\\Korvane\\Jotwell";
}

double BenchNow() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return (double)count.QuadPart / (double)frequency.QuadPart;
}

void BenchSeedOneBook(const std::string& folder) {
    BenchClearSettings();
    HKEY key;
    std::string books = std::string(kSettingsKey) + "\\Books";
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, books.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Book1", 0, REG_SZ, (const BYTE*)folder.c_str(), (DWORD)folder.size() + 1);
    RegSetValueExA(key, "Count", 0, REG_SZ, (const BYTE*)"1", 2);
    RegCloseKey(key);
}

void BenchClearSettings() {
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);
}

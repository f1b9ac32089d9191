#include "bench/winbenchkit.h"

#include <shlwapi.h>
#include <stdio.h>

namespace {
const char kSettingsKey[] = "Software\\Korvane\\Jotwell";
const double kStallWorthKeeping = 0.005;  // seconds
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

std::vector<std::string> BenchNoteNames(int count) {
    static const char* const words[] = {"Meeting", "shopping", "Ideas", "budget", "Trip",
                                        "recipe",  "Call",     "plans", "Books",  "garden"};
    std::vector<std::string> names;
    unsigned seed = 12345;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        char name[64];
        sprintf(name, "%s %05u", words[(seed >> 16) % 10], (seed >> 8) % 100000 + i * 100000u);
        names.push_back(name);
    }
    return names;
}

bool BenchMakeBook(const std::string& folder, const std::vector<std::string>& names) {
    CreateDirectoryA(folder.c_str(), NULL);
    for (const std::string& name : names) {
        HANDLE h = CreateFileA((folder + "\\" + name + ".txt").c_str(), GENERIC_WRITE, 0, NULL,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        DWORD written = 0;
        WriteFile(h, "note", 4, &written, NULL);
        CloseHandle(h);
    }
    return true;
}

void BenchDeleteBook(const std::string& folder, const std::vector<std::string>& names) {
    for (const std::string& name : names)
        DeleteFileA((folder + "\\" + name + ".txt").c_str());
    RemoveDirectoryA(folder.c_str());
}

int BenchEnumerate(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((folder + "\\*.txt").c_str(), &fd);
    int n = 0;
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do
        ++n;
    while (FindNextFileA(find, &fd));
    FindClose(find);
    return n;
}

BenchStallMeter::BenchStallMeter(HWND window)
    : hwndTarget(window), bStop(false), dStart(BenchNow()), dLongest(0), dLongestAt(0),
      iPings(0) {
    thread = std::thread([this] { Run(); });
}

BenchStallMeter::~BenchStallMeter() {
    Stop();
}

void BenchStallMeter::Stop() {
    bStop = true;
    if (thread.joinable())
        thread.join();
}

void BenchStallMeter::Run() {
    while (!bStop) {
        double sent = BenchNow();
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(hwndTarget, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result) &&
            !IsWindow(hwndTarget))
            return;
        double waited = BenchNow() - sent;
        ++iPings;
        if (waited > dLongest) {
            dLongest = waited;
            dLongestAt = sent - dStart;
        }
        if (waited >= kStallWorthKeeping)
            stalls.push_back(Stall{sent - dStart, waited});
        Sleep(5);
    }
}

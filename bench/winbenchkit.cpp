#include "bench/winbenchkit.h"

#include <commctrl.h>
#include <shlwapi.h>
#include <stdio.h>

namespace {
const char kSettingsKey[] = "Software\\Korvane\\Jotwell";
const double kStallWorthKeeping = 0.02;  // seconds; shorter ones are the load of the machine
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
    : hwndTarget(window), bStop(false), bDone(false), dStart(BenchNow()), dLongest(0), dLongestAt(0),
      iPings(0) {
    thread = std::thread([this] { Run(); });
}

BenchStallMeter::~BenchStallMeter() {
    Stop();
}

void BenchStallMeter::Stop() {
    bStop = true;
    // A ping may be on its way to a window of this very thread: answer it,
    // or the meter would wait for it to time out.
    while (!bDone) {
        MSG msg;
        PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE);
        Sleep(1);
    }
    if (thread.joinable())
        thread.join();
}

void BenchStallMeter::Run() {
    struct Done {
        std::atomic<bool>& done;
        ~Done() { done = true; }
    } done{bDone};
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

std::string BenchProgramPath() {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(NULL, self, MAX_PATH);
    std::string folder(self);
    folder.erase(folder.find_last_of('\\'));
    return folder.substr(0, folder.find_last_of('\\')) + "\\jotwell.exe";
}

bool BenchStartProcess(const std::string& commandLine, PROCESS_INFORMATION* pi) {
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    return CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, pi) != FALSE;
}

bool BenchEndProcess(PROCESS_INFORMATION& pi, HWND window, UINT msg, WPARAM wParam) {
    if (window)
        PostMessageA(window, msg, wParam, 0);
    bool ended = WaitForSingleObject(pi.hProcess, 15000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ended;
}

HWND BenchFindTopWindow(const char* caption, bool withMenu) {
    HWND candidate = NULL;
    while ((candidate = FindWindowExA(NULL, candidate, MAKEINTATOM(0x8002), caption)) != NULL) {
        if (!withMenu || GetMenu(candidate))
            return candidate;
    }
    return NULL;
}

bool BenchWindowReady(HWND window, int listId, int items, DWORD timeoutMs) {
    if (!window || !IsWindowVisible(window))
        return false;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutA(GetDlgItem(window, listId), LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL,
                             timeoutMs, &count) ||
        (int)count != items)
        return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

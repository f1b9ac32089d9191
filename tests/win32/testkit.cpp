#include "tests/win32/testkit.h"

#include <shlwapi.h>

namespace testkit {

namespace {

struct FindData {
    std::string caption;
    HWND found;
};

BOOL CALLBACK FindOwn(HWND hwnd, LPARAM lParam) {
    FindData* data = (FindData*)lParam;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    // The main window (the only one with a menu bar) shares its caption
    // with the program's message boxes; a test always means the latter.
    if (pid != GetCurrentProcessId() || !IsWindowVisible(hwnd) || GetMenu(hwnd))
        return TRUE;
    if (WindowText(hwnd) == data->caption) {
        data->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Top-level dialogs of this process, for the unexpected-window check.
BOOL CALLBACK CollectDialogs(HWND hwnd, LPARAM lParam) {
    std::vector<HWND>* out = (std::vector<HWND>*)lParam;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != GetCurrentProcessId() || !IsWindowVisible(hwnd))
        return TRUE;
    char cls[64] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0 && GetWindow(hwnd, GW_OWNER) != NULL)
        out->push_back(hwnd);
    return TRUE;
}

}  // namespace

std::string WindowText(HWND window) {
    char text[1024] = "";
    // Cross-thread safe: WM_GETTEXT is sent to the window's own thread.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 2000,
                        NULL);
    return text;
}

std::string ControlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control ? WindowText(control) : std::string();
}

HWND FindOwnWindow(const std::string& caption) {
    FindData data = {caption, NULL};
    EnumWindows(FindOwn, (LPARAM)&data);
    return data.found;
}

void PressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

namespace {
// A marker posted after the messages waited for: the thread takes posted
// messages in order, so once it takes the marker those before it have been
// handled.
const WPARAM kMarker = 0x4A574D4B;
volatile LONG g_markerTaken = 0;

LRESULT CALLBACK WatchForMarker(int code, WPARAM removed, LPARAM lParam) {
    const MSG* msg = (const MSG*)lParam;
    if (code == HC_ACTION && removed == PM_REMOVE && msg->hwnd == NULL &&
        msg->message == WM_NULL && msg->wParam == kMarker)
        InterlockedExchange(&g_markerTaken, 1);
    return CallNextHookEx(NULL, code, removed, lParam);
}
}  // namespace

bool WaitPostedHandled(HWND window, DWORD timeoutMs) {
    DWORD thread = GetWindowThreadProcessId(window, NULL);
    if (!thread)
        return true;  // gone already
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, WatchForMarker, NULL, thread);
    if (!hook)
        return false;
    InterlockedExchange(&g_markerTaken, 0);
    bool ok = PostThreadMessageA(thread, WM_NULL, kMarker, 0) != FALSE;
    DWORD start = GetTickCount();
    while (ok && !g_markerTaken && IsOpen(window)) {
        if (GetTickCount() - start > timeoutMs)
            ok = false;
        else
            Sleep(10);
    }
    UnhookWindowsHookEx(hook);
    return ok;
}

bool IsOpen(HWND window) {
    return IsWindow(window) && IsWindowVisible(window);
}

DialogResponder::DialogResponder() : stop_(false), thread_(&DialogResponder::Run, this) {}

DialogResponder::~DialogResponder() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    thread_.join();
}

void DialogResponder::Expect(const std::string& caption, int buttonId) {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.push_back(Expectation{caption, buttonId, nullptr});
}

void DialogResponder::Expect(const std::string& caption, std::function<void(HWND)> action) {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.push_back(Expectation{caption, 0, action});
}

void DialogResponder::Always(const std::string& caption, int buttonId) {
    std::lock_guard<std::mutex> lock(mutex_);
    standing_.push_back(Expectation{caption, buttonId, nullptr});
}

bool DialogResponder::AllServed() {
    std::lock_guard<std::mutex> lock(mutex_);
    return pending_.empty();
}

bool DialogResponder::WaitAllServed(DWORD timeoutMs) {
    return PumpUntil([this] { return AllServed(); }, timeoutMs);
}

std::vector<SeenDialog> DialogResponder::Seen() {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

std::vector<SeenDialog> DialogResponder::Unexpected() {
    std::lock_guard<std::mutex> lock(mutex_);
    return unexpected_;
}

// Serves the first expectation whose window is showing; the others wait
// their turn, so a question that never came does not block the rest.
bool DialogResponder::ServeOne() {
    std::vector<Expectation> pending;
    size_t required;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending = pending_;
        required = pending.size();
        pending.insert(pending.end(), standing_.begin(), standing_.end());
    }
    for (size_t i = 0; i < pending.size(); ++i) {
        HWND window = FindOwnWindow(pending[i].caption);
        if (!window)
            continue;
        // The window may have appeared after an earlier expectation of the
        // same caption was looked at: that one is served first.
        for (size_t j = 0; j < i; ++j)
            if (pending[j].caption == pending[i].caption) {
                i = j;
                break;
            }
        // A message sent to the dialog's thread is handled only once that
        // thread is back in a message loop: the dialog's set-up is done.
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, NULL);
        SeenDialog seen = {pending[i].caption, ControlText(window, 0xFFFF)};
        {
            std::lock_guard<std::mutex> lock(mutex_);
            seen_.push_back(seen);
            if (i < required)
                pending_.erase(pending_.begin() + i);
        }
        if (pending[i].action)
            pending[i].action(window);
        else
            PressButton(window, pending[i].buttonId);
        // The answered window must be gone before the next one is looked
        // for: a dialog shown again can have the same caption, and even the
        // same handle.
        for (int wait = 0; wait < 500 && IsWindow(window) && IsWindowVisible(window); ++wait)
            Sleep(10);
        return true;
    }
    return false;
}

// A dialog nobody expected would leave the test waiting for ever: after a
// grace period it is recorded and cancelled.
void DialogResponder::CancelStrays() {
    std::vector<HWND> dialogs;
    EnumWindows(CollectDialogs, (LPARAM)&dialogs);
    DWORD now = GetTickCount();
    for (HWND dialog : dialogs) {
        std::string caption = WindowText(dialog);
        bool expected = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            for (const Expectation& e : pending_)
                expected = expected || e.caption == caption;
            for (const Expectation& e : standing_)
                expected = expected || e.caption == caption;
        }
        if (expected)
            continue;
        auto it = firstSeen_.find(dialog);
        if (it == firstSeen_.end()) {
            firstSeen_[dialog] = now;
            continue;
        }
        if (now - it->second < kStrayGraceMs)
            continue;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            unexpected_.push_back(SeenDialog{caption, ControlText(dialog, 0xFFFF)});
        }
        firstSeen_.erase(it);
        PressButton(dialog, IDCANCEL);
    }
}

void DialogResponder::Run() {
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stop_)
                return;
        }
        ServeOne();
        CancelStrays();
        Sleep(20);
    }
}

bool PumpUntil(std::function<bool()> pred, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (pred())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        MSG msg;
        while (GetTickCount() - start <= timeoutMs && PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

TempDir::TempDir() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static LONG counter = 0;
    char name[MAX_PATH];
    wsprintfA(name, "%sjwtest-%lu-%lu-%ld", base, GetCurrentProcessId(), GetTickCount(),
              InterlockedIncrement(&counter));
    CreateDirectoryA(name, NULL);
    path_ = name;
}

TempDir::~TempDir() {
    DeleteTree(path_);
}

void DeleteTree(const std::string& path) {
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

bool WriteFileText(const std::string& path, const std::string& text) {
    return WriteAndClose(CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, NULL),
                         text);
}

bool WriteAndClose(HANDLE file, const std::string& text) {
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), (DWORD)text.size(), &written, NULL) &&
              written == text.size();
    CloseHandle(file);
    return ok;
}

std::string ReadFileText(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    std::string text;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, NULL) && got > 0)
        text.append(buffer, got);
    CloseHandle(h);
    return text;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void ResetSettings() {
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Jotwell");
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Korvane\\Jotwell");
}

std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1);
}

bool RegValueExists(HKEY root, const char* key, const char* name) {
    HKEY h;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS)
        return false;
    bool exists = RegQueryValueExA(h, name, NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
    RegCloseKey(h);
    return exists;
}

std::string RegString(HKEY root, const char* key, const char* name) {
    HKEY h;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS)
        return std::string();
    char value[4096] = "";
    DWORD size = sizeof value - 1;
    RegQueryValueExA(h, name, NULL, NULL, (BYTE*)value, &size);
    RegCloseKey(h);
    return value;
}

}  // namespace testkit

namespace testkit {

Process::~Process() {
    if (info_.hProcess) {
        if (Running())
            TerminateProcess(info_.hProcess, 1);
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

bool Process::Start(const std::string& commandLine, const std::string& folder) {
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    std::string line = commandLine;
    return CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL,
                          folder.empty() ? NULL : folder.c_str(), &si, &info_) != FALSE;
}

int Process::Wait(DWORD timeoutMs) {
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return (int)code;
}

bool Process::Running() {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

namespace {
struct ProcessWindowSearch {
    DWORD pid;
    std::string caption;
    const char* className;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND hwnd, LPARAM lParam) {
    ProcessWindowSearch* s = (ProcessWindowSearch*)lParam;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || (s->visibleOnly && !IsWindowVisible(hwnd)) ||
        WindowText(hwnd) != s->caption)
        return TRUE;
    if (s->className) {
        char cls[64] = "";
        GetClassNameA(hwnd, cls, sizeof cls);
        if (lstrcmpA(cls, s->className) != 0)
            return TRUE;
    }
    s->found = hwnd;
    return FALSE;
}
}  // namespace

HWND WaitForProcessWindow(DWORD pid, const std::string& caption, DWORD timeoutMs,
                          const char* className, bool visibleOnly) {
    DWORD start = GetTickCount();
    for (;;) {
        ProcessWindowSearch s = {pid, caption, className, visibleOnly, NULL};
        EnumWindows(FindProcessWindow, (LPARAM)&s);
        if (s.found)
            return s.found;
        if (GetTickCount() - start > timeoutMs)
            return NULL;
        Sleep(50);
    }
}

bool CopyTo(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

std::string JotwellExe() {
    return ProgramFolder() + "..\\jotwell.exe";
}

void SeedBooks(const std::string& root) {
    const char* names[] = {"PhoneBook", "Useful Web Links", "Other Notes"};
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Jotwell\\Books", 0, NULL, 0,
                    KEY_ALL_ACCESS, NULL, &key, NULL);
    for (int i = 0; i < 3; ++i) {
        std::string folder = root + "\\" + names[i];
        CreateDirectoryA(folder.c_str(), NULL);
        char value[32];
        wsprintfA(value, "Book%d", i + 1);
        RegSetValueExA(key, value, 0, REG_SZ, (const BYTE*)folder.c_str(),
                       (DWORD)folder.size() + 1);
    }
    RegSetValueExA(key, "Count", 0, REG_SZ, (const BYTE*)"3", 2);
    RegCloseKey(key);
}

}  // namespace testkit

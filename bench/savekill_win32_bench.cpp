// Kills a process at random moments while it saves a 300 KB note over and
// over, and counts what each kill leaves on disk: the note whole in one of
// its two versions, the note missing, or a mix. The save the program uses
// (LFile::WriteFileBytes) runs next to a save by ReplaceFileA, as the program
// saved before, for comparison. The program's save must never leave a note
// missing or mixed, and the temporary files of cut-off saves must not pile
// up.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "util/lfile.h"

namespace {

const size_t NOTE_SIZE = 300 * 1024;
const int DEFAULT_KILLS = 120;
const char READY_EVENT[] = "JotwellSaveKillReady";

std::string Version(char fill) {
    std::string text(NOTE_SIZE, fill);
    for (size_t i = 0; i < text.size(); i += 64)
        text[i] = '\n';
    return text;
}

bool SaveByReplaceFile(const char* path, const std::string& text) {
    char folder[LFILE_PATH], tmp[MAX_PATH];
    LFile::_GetFolderFromPath(folder, path);
    if (!GetTempFileNameA(folder, "~jw", 0, tmp))
        return false;
    HANDLE h = CreateFileA(tmp, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD written = 0;
    bool ok = h != INVALID_HANDLE_VALUE &&
              WriteFile(h, text.data(), (DWORD)text.size(), &written, NULL) && FlushFileBuffers(h);
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
    ok = ok && ReplaceFileA(path, tmp, NULL, REPLACEFILE_IGNORE_MERGE_ERRORS, NULL, NULL);
    if (!ok)
        DeleteFileA(tmp);
    return ok;
}

// The child: saves the two versions in turn until it is killed.
int RunSaver(const char* path, bool replaceFile) {
    const std::string versions[2] = {Version('a'), Version('b')};
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, READY_EVENT);
    for (unsigned n = 0;; ++n) {
        const std::string& text = versions[n % 2];
        if (replaceFile)
            SaveByReplaceFile(path, text);
        else
            LFile::WriteFileBytes(path, text.data(), text.size());
        if (n == 1 && ready)
            SetEvent(ready);
    }
}

std::string ReadWhole(const std::string& path, bool* exists) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    *exists = h != INVALID_HANDLE_VALUE;
    std::string text;
    if (!*exists)
        return text;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, NULL) && got > 0)
        text.append(buffer, got);
    CloseHandle(h);
    return text;
}

int CountFiles(const std::string& folder, const char* pattern) {
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((folder + "\\" + pattern).c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int n = 0;
    do
        ++n;
    while (FindNextFileA(find, &fd));
    FindClose(find);
    return n;
}

// Ages every temporary file by two minutes, as if the kills were long ago.
void AgeTemps(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((folder + "\\*.tmp").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string path = folder + "\\" + fd.cFileName;
        HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
        FILETIME old = fd.ftLastWriteTime;
        unsigned long long t = ((unsigned long long)old.dwHighDateTime << 32) | old.dwLowDateTime;
        t -= 120ull * 10000000ull;
        old.dwLowDateTime = (DWORD)t;
        old.dwHighDateTime = (DWORD)(t >> 32);
        SetFileTime(h, NULL, NULL, &old);
        CloseHandle(h);
    } while (FindNextFileA(find, &fd));
    FindClose(find);
}

struct Outcomes {
    int kills, first, second, missing, mixed;
};

Outcomes KillSaves(const std::string& folder, bool replaceFile, int kills) {
    std::string path = folder + "\\Kill test.txt";
    const std::string first = Version('a'), second = Version('b');
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" /saver \"" + path + "\"" +
                          (replaceFile ? " replace" : "");
    HANDLE ready = CreateEventA(NULL, TRUE, FALSE, READY_EVENT);
    Outcomes out = {0, 0, 0, 0, 0};
    while (out.kills < kills) {
        ResetEvent(ready);
        STARTUPINFOA si;
        ZeroMemory(&si, sizeof si);
        si.cb = sizeof si;
        PROCESS_INFORMATION pi;
        std::string line = command;
        if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
            break;
        // Saving is under way once the event is set; the kill falls at a
        // random point of one of the saves that follow.
        WaitForSingleObject(ready, 30000);
        Sleep(rand() % 40);
        TerminateProcess(pi.hProcess, 9);
        WaitForSingleObject(pi.hProcess, 30000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        ++out.kills;

        bool exists = false;
        std::string text = ReadWhole(path, &exists);
        if (!exists)
            ++out.missing;
        else if (text == first)
            ++out.first;
        else if (text == second)
            ++out.second;
        else
            ++out.mixed;
        if (!exists) {
            // Start the next round from a whole note again.
            LFile::WriteFileBytes(path.c_str(), first.data(), first.size());
        }
    }
    CloseHandle(ready);
    return out;
}

void Clear(const std::string& folder) {
    for (const char* pattern : {"*.txt", "*.tmp"}) {
        WIN32_FIND_DATAA fd;
        HANDLE find = FindFirstFileA((folder + "\\" + pattern).c_str(), &fd);
        if (find == INVALID_HANDLE_VALUE)
            continue;
        do
            DeleteFileA((folder + "\\" + fd.cFileName).c_str());
        while (FindNextFileA(find, &fd));
        FindClose(find);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc >= 3 && strcmp(__argv[1], "/saver") == 0)
        return RunSaver(__argv[2], __argc >= 4 && strcmp(__argv[3], "replace") == 0);

    int kills = __argc >= 2 ? atoi(__argv[1]) : DEFAULT_KILLS;
    if (kills <= 0)
        kills = DEFAULT_KILLS;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "jw-savekill";
    CreateDirectoryA(folder.c_str(), NULL);
    srand(GetTickCount());

    int status = 0;
    for (bool replaceFile : {false, true}) {
        Clear(folder);
        Outcomes out = KillSaves(folder, replaceFile, kills);
        int temps = CountFiles(folder, "*.tmp");
        printf("savekill %-22s %d kills of a 300 KB save: %d whole (first), %d whole (second), "
               "%d missing, %d mixed; %d temporary files left\n",
               replaceFile ? "(ReplaceFileA, before)" : "(WriteFileBytes)", out.kills, out.first,
               out.second, out.missing, out.mixed, temps);
        if (!replaceFile) {
            AgeTemps(folder);
            std::string note = folder + "\\Kill test.txt";
            LFile::WriteFileBytes(note.c_str(), "x", 1);
            int left = CountFiles(folder, "~js*.tmp");
            printf("savekill %-22s after one more save with them a minute old: %d left\n", "",
                   left);
            if (out.kills < kills || out.missing || out.mixed || left)
                status = 1;
        }
    }
    Clear(folder);
    RemoveDirectoryA(folder.c_str());
    return status;
}

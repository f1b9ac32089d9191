// Kills a process at random moments while it saves a 300 KB note over and
// over, and counts what each kill leaves on disk: the note whole in one of
// its two versions, the note missing, or a mix. The save the program uses
// (LFile::WriteFileBytes) runs next to a save by ReplaceFileA, as the program
// saved before, for comparison, and then the program's whole save
// (SaveNoteFile) handing every version it replaces to the history store, as
// the main window does with a clock moved on five minutes a save. The
// program's saves must never leave a note missing or mixed, the temporary
// files of cut-off saves must not pile up, and no entry the store lists may
// be damaged. Then the time of a save that keeps a version against one that
// does not, on the same note in the same run: at most 1.2 times.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/winbenchkit.h"
#include "notebook/historyindex.h"
#include "notebook/historykeeper.h"
#include "notebook/notefile.h"
#include "util/lfile.h"

namespace {

const size_t NOTE_SIZE = 300 * 1024;
const int DEFAULT_KILLS = 120;
const int TIMED_SAVES = 31;
const long long FIVE_MINUTES = 5ll * 60 * 10000000;
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

// The main window's save: the note's file replaced over the version it
// stands on, and the version replaced handed to the history.
class HistorySaver {
public:
    explicit HistorySaver(const char* root) : version{false, 0}, haveBytes(false), bytesTime(0) {
        lstrcpynA(keeper.store.szRoot, root, LFILE_PATH);
    }
    // As the window loads a note: the version the next save replaces.
    void Load(const char* path) {
        NoteFileText file;
        version.known = haveBytes = ReadNoteFile(path, &file) && file.exists;
        version.time = bytesTime = file.time;
        bytes.assign(file.data ? file.data : "", file.size);
    }
    // keep: the store's clock moves on, so the version replaced is kept.
    bool Save(const char* path, const std::string& text, bool keep) {
        if (keep)
            keeper.store.llClockShift += FIVE_MINUTES;
        NoteVersion replaced = {false, 0};
        char kept[LFILE_PATH];
        if (SaveNoteFile(path, text.data(), text.size(), &version, turn, GetTickCount(), kept,
                         &replaced) != NOTE_SAVED)
            return false;
        if (replaced.known && haveBytes && replaced.time == bytesTime)
            keeper.KeepVersion(path, &bytes, replaced.time, false);
        haveBytes = true;
        bytesTime = version.time;
        bytes.assign(text);
        return true;
    }
    HistoryKeeper keeper;

private:
    SavingTurn turn;
    NoteVersion version;
    std::string bytes;
    bool haveBytes;
    unsigned long long bytesTime;
};

// The child: saves the two versions in turn until it is killed. With a
// store's root, through HistorySaver.
int RunSaver(const char* path, bool replaceFile, const char* storeRoot) {
    const std::string versions[2] = {Version('a'), Version('b')};
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, READY_EVENT);
    HistorySaver history(storeRoot ? storeRoot : "");
    history.Load(path);
    for (unsigned n = 0;; ++n) {
        const std::string& text = versions[n % 2];
        if (storeRoot)
            history.Save(path, text, true);
        else if (replaceFile)
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
    int entries, damaged, unlisted;  // of the history store
};

// Every file of the folder, and of the folders in it; the folders, inner
// ones first, to folders when given.
void ListTree(const std::string& folder, std::vector<std::string>* files,
              std::vector<std::string>* folders = NULL) {
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string path = folder + "\\" + fd.cFileName;
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files->push_back(path);
        else if (fd.cFileName[0] != '.')
            ListTree(path, files, folders);
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && fd.cFileName[0] != '.' && folders)
            folders->push_back(path);
    } while (FindNextFileA(find, &fd));
    FindClose(find);
}

void DeleteTree(const std::string& folder) {
    std::vector<std::string> files, folders;
    ListTree(folder, &files, &folders);
    for (const std::string& file : files)
        DeleteFileA(file.c_str());
    for (const std::string& inner : folders)
        RemoveDirectoryA(inner.c_str());
    RemoveDirectoryA(folder.c_str());
}

// Checks every entry the store lists: its index read whole, its bytes one
// of the two versions, of the size the index gives. Bytes a kill left
// without their index are listed by nothing. Then empties the store.
void CheckStore(const std::string& root, Outcomes* out) {
    const std::string first = Version('a'), second = Version('b');
    std::vector<std::string> files;
    ListTree(root, &files);
    for (const std::string& file : files) {
        size_t dot = file.rfind('.');
        std::string ext = dot == std::string::npos ? "" : file.substr(dot);
        std::string base = file.substr(0, dot);
        if (ext == ".info") {
            ++out->entries;
            bool exists = false;
            std::string index = ReadWhole(file, &exists);
            std::string data = ReadWhole(base + ".txt", &exists);
            HistoryIndex parsed;
            bool whole = HistoryIndexParse(index.data(), index.size(), &parsed) && exists &&
                         parsed.size == data.size() && (data == first || data == second);
            if (!whole)
                ++out->damaged;
        } else if (ext == ".txt" && std::find(files.begin(), files.end(), base + ".info") ==
                                        files.end()) {
            ++out->unlisted;
        }
    }
    for (const std::string& file : files)
        DeleteFileA(file.c_str());
}

Outcomes KillSaves(const std::string& folder, bool replaceFile, int kills,
                   const std::string& storeRoot = std::string()) {
    std::string path = folder + "\\Kill test.txt";
    const std::string first = Version('a'), second = Version('b');
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" /saver \"" + path + "\"" +
                          (replaceFile ? " replace" : "") +
                          (storeRoot.empty() ? "" : " history \"" + storeRoot + "\"");
    HANDLE ready = CreateEventA(NULL, TRUE, FALSE, READY_EVENT);
    Outcomes out = {0, 0, 0, 0, 0, 0, 0, 0};
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
        if (!storeRoot.empty())
            CheckStore(storeRoot, &out);
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

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Median times in ms of saves of the note keeping no version and keeping
// one, taken in turn so that the disk's moods fall on both alike.
void TimeSaves(HistorySaver& saver, const std::string& path, double* plain, double* keeping) {
    const std::string versions[2] = {Version('a'), Version('b')};
    std::vector<double> times[2];
    for (int i = 0; i < 2 * TIMED_SAVES; ++i) {
        bool keep = i % 2 == 1;
        double start = BenchNow();
        saver.Save(path.c_str(), versions[i % 2], keep);
        times[keep].push_back((BenchNow() - start) * 1000.0);
        // What the store does meanwhile is no part of the save's time, and
        // is done before the next one starts.
        saver.keeper.WaitIdle(30000);
    }
    *plain = Median(times[0]);
    *keeping = Median(times[1]);
}

bool MeasureSaves(const std::string& folder, const std::string& storeRoot) {
    std::string path = folder + "\\Timed.txt";
    HistorySaver saver(storeRoot.c_str());
    saver.Save(path.c_str(), Version('a'), true);  // the note exists, the store has a version
    saver.keeper.WaitIdle(30000);
    double plain = 0, keeping = 0;
    TimeSaves(saver, path, &plain, &keeping);
    double ratio = keeping / plain;
    printf("savekill %-22s 300 KB note, median of %d: save keeping no version %7.2f ms\n",
           "(save time)", TIMED_SAVES, plain);
    printf("savekill %-22s save keeping the version it replaces  %7.2f ms  ratio %4.2f "
           "(goal <= 1.2: %s)\n",
           "", keeping, ratio, ratio <= 1.2 ? "met" : "NOT MET");
    size_t kept = saver.keeper.store.Versions(path.c_str()).size();
    DeleteFileA(path.c_str());
    return kept >= (size_t)TIMED_SAVES;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc >= 3 && strcmp(__argv[1], "/saver") == 0) {
        bool history = __argc >= 5 && strcmp(__argv[3], "history") == 0;
        return RunSaver(__argv[2], __argc >= 4 && strcmp(__argv[3], "replace") == 0,
                        history ? __argv[4] : NULL);
    }

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

    std::string storeRoot = std::string(temp) + "jw-savekill-store";
    CreateDirectoryA(storeRoot.c_str(), NULL);
    Clear(folder);
    Outcomes out = KillSaves(folder, false, kills, storeRoot);
    printf("savekill %-22s %d kills of a 300 KB save: %d whole (first), %d whole (second), "
           "%d missing, %d mixed\n",
           "(keeping versions)", out.kills, out.first, out.second, out.missing, out.mixed);
    printf("savekill %-22s history store after each kill: %d entries listed, %d damaged; "
           "%d kept bytes left without their index (listed by none, pruned later)\n",
           "", out.entries, out.damaged, out.unlisted);
    if (out.kills < kills || out.missing || out.mixed || out.damaged || out.entries == 0)
        status = 1;
    Clear(folder);
    if (!MeasureSaves(folder, storeRoot))
        status = 1;
    DeleteTree(storeRoot);
    Clear(folder);
    RemoveDirectoryA(folder.c_str());
    return status;
}

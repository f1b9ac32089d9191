// Listing a book and scanning it for outside changes under Wine, for books
// of 1,000 and 10,000 notes, next to a bare enumeration of the same folder
// in the same run. Listing may cost at most 3 times the bare enumeration, a
// scan that finds nothing changed at most 2 times.
#include <windows.h>
#include <shlwapi.h>
#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

#include <commctrl.h>

#include "mainwindow/maindialog.h"
#include "bench/winbenchkit.h"
#include "resources/resource.h"

namespace {

const char SETTINGS_KEY[] = "Software\\Korvane\\Jotwell";
const int ROUNDS = 3;

// Names in no particular order, as people name notes.
std::vector<std::string> NoteNames(int count) {
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

bool MakeBook(const std::string& folder, const std::vector<std::string>& names) {
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

void DeleteBook(const std::string& folder, const std::vector<std::string>& names) {
    for (const std::string& name : names)
        DeleteFileA((folder + "\\" + name + ".txt").c_str());
    RemoveDirectoryA(folder.c_str());
}

int BareEnumeration(const std::string& folder) {
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

template <typename F>
double Best(F work) {
    double best = 1e9;
    for (int i = 0; i < ROUNDS; ++i) {
        double start = BenchNow();
        work();
        best = std::min(best, BenchNow() - start);
    }
    return best * 1000.0;
}

bool Measure(int count) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "jotwell-listbench";
    std::vector<std::string> names = NoteNames(count);
    if (!MakeBook(folder, names)) {
        printf("notelist: cannot write the book in %s\n", folder.c_str());
        return false;
    }
    BenchSeedOneBook(folder);

    MainDialog main;
    main.Create(NULL, MAKEINTRESOURCEA(IDD_MAIN));
    main.splash.Destroy();
    KillTimer(main.hwnd, TIMER_SCAN);

    double bare = Best([&] { BareEnumeration(folder); });
    double listing = Best([&] { main.InitItemsList(); });
    double scan = Best([&] { main.ScanFolders(); });
    int listed = ListView_GetItemCount(main.NotesList());

    printf("notelist %5d notes: bare enumeration %8.1f ms\n", count, bare);
    printf("notelist %5d notes: InitItemsList    %8.1f ms  ratio %5.2f (goal <= 3: %s)\n", count,
           listing, listing / bare, listing <= 3 * bare ? "met" : "NOT MET");
    printf("notelist %5d notes: ScanFolders      %8.1f ms  ratio %5.2f (goal <= 2: %s)\n", count,
           scan, scan / bare, scan <= 2 * bare ? "met" : "NOT MET");
    if (listed != count)
        printf("notelist: %d notes listed instead of %d\n", listed, count);

    DestroyWindow(main.hwnd);
    DeleteBook(folder, names);
    BenchClearSettings();
    return listed == count;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    LSetInstance(instance);
    bool ok = Measure(1000) && Measure(10000);
    return ok ? 0 : 1;
}

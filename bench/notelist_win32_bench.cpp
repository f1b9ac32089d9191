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

template <typename F>
double Best(F work) {
    return BenchBest(ROUNDS, work) * 1000.0;
}

bool Measure(int count) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "jotwell-listbench";
    std::vector<std::string> names = BenchNoteNames(count);
    if (!BenchMakeBook(folder, names)) {
        printf("notelist: cannot write the book in %s\n", folder.c_str());
        return false;
    }
    BenchSeedOneBook(folder);

    MainDialog main;
    main.Create(NULL, MAKEINTRESOURCEA(IDD_MAIN));
    main.splash.Destroy();
    KillTimer(main.hwnd, TIMER_SCAN);

    double bare = Best([&] { BenchEnumerate(folder); });
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
    BenchDeleteBook(folder, names);
    BenchClearSettings();
    return listed == count;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    LSetInstance(instance);
    bool ok = Measure(1000) && Measure(10000);
    return ok ? 0 : 1;
}

// Opening Note History and Restore Deleted Notes with 1,000 versions of the
// loaded note and 1,000 deleted notes of its book in the history store, from
// the command to the window shown with its list filled and answering
// messages, next to the same windows opened on an empty store in the same
// run. Each must open within 200 ms (the median of the rounds).
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "bench/winbenchkit.h"
#include "mainwindow/maindialog.h"
#include "resources/resource.h"

namespace {

const int ENTRIES = 1000;
const int ROUNDS = 7;
const double GOAL_MS = 200.0;
const unsigned long long MINUTE = 60ull * 10000000ull;

// A note of about 1.5 KB, as people keep them.
std::string NoteText(int n) {
    std::string text = "Meeting " + std::to_string(n) + "\r\n";
    while (text.size() < 1500)
        text += "- item " + std::to_string(text.size()) + " to follow up next week\r\n";
    return text;
}

bool Seed(const std::string& root, const std::string& folder, const std::string& note) {
    HistoryStore seed;
    lstrcpynA(seed.szRoot, root.c_str(), LFILE_PATH);
    unsigned long long now = seed.Now();
    for (int i = 0; i < ENTRIES; ++i) {
        std::string text = NoteText(i);
        std::string deleted = folder + "\\Note " + std::to_string(i) + ".txt";
        if (!seed.Keep(HISTORY_VERSION, note.c_str(), text.data(), text.size(),
                       now - (i + 1) * 6 * MINUTE, 0) ||
            !seed.Keep(HISTORY_DELETED, deleted.c_str(), text.data(), text.size(),
                       now - (i + 1) * MINUTE, 0))
            return false;
    }
    return true;
}

// Milliseconds from the command to its window ready; -1 when it never was.
double OpenTime(MainDialog& main, int command, const char* caption, int listId, int items) {
    double start = BenchNow(), ready = -1;
    std::thread watcher([&] {
        HWND window = NULL;
        DWORD begin = GetTickCount();
        while (GetTickCount() - begin < 20000) {
            window = BenchFindTopWindow(caption, false);
            if (window && BenchWindowReady(window, listId, items, 5000)) {
                ready = BenchNow();
                break;
            }
            Sleep(1);
        }
        if (window)
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
    // Returns once the window has been closed again.
    SendMessageA(main.hwnd, WM_COMMAND, command, 0);
    watcher.join();
    return ready < 0 ? -1 : (ready - start) * 1000.0;
}

double MedianOpen(MainDialog& main, int command, const char* caption, int listId, int items) {
    std::vector<double> times;
    for (int i = 0; i < ROUNDS; ++i)
        times.push_back(OpenTime(main, command, caption, listId, items));
    std::sort(times.begin(), times.end());
    return times.front() < 0 ? -1 : times[times.size() / 2];
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    LSetInstance(instance);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "jotwell-historybench";
    std::string full = std::string(temp) + "jotwell-historybench-store";
    std::string empty = std::string(temp) + "jotwell-historybench-empty";
    std::vector<std::string> names = {"Meeting"};
    if (!BenchMakeBook(folder, names)) {
        printf("historywindows: cannot write the book in %s\n", folder.c_str());
        return 1;
    }
    std::string note = folder + "\\Meeting.txt";
    double seedStart = BenchNow();
    if (!Seed(full, folder, note)) {
        printf("historywindows: cannot fill the store in %s\n", full.c_str());
        return 1;
    }
    printf("historywindows: %d versions and %d deleted notes kept in %.1f s\n", ENTRIES, ENTRIES,
           BenchNow() - seedStart);
    BenchSeedOneBook(folder);

    MainDialog main;
    lstrcpynA(main.history.store.szRoot, empty.c_str(), LFILE_PATH);
    main.Create(NULL, MAKEINTRESOURCEA(IDD_MAIN));
    main.splash.Destroy();
    for (UINT timer : {TIMER_START, TIMER_STATUS, TIMER_SCAN})
        KillTimer(main.hwnd, timer);

    struct Window {
        int command;
        const char* caption;
        int listId;
    } windows[] = {{CM_NOTE_HISTORY, "Note History", IDC_HISTORY_LIST},
                   {CM_RESTORE_DELETED, "Restore Deleted Notes", IDC_DELETED_LIST}};
    bool ok = true;
    for (const Window& w : windows) {
        lstrcpynA(main.history.store.szRoot, empty.c_str(), LFILE_PATH);
        double yardstick = MedianOpen(main, w.command, w.caption, w.listId, 0);
        lstrcpynA(main.history.store.szRoot, full.c_str(), LFILE_PATH);
        double opened = MedianOpen(main, w.command, w.caption, w.listId, ENTRIES);
        bool met = opened >= 0 && opened <= GOAL_MS;
        printf("historywindows %-22s empty store %7.1f ms; %d entries %7.1f ms "
               "(goal <= %.0f ms: %s)\n",
               w.caption, yardstick, ENTRIES, opened, GOAL_MS, met ? "met" : "NOT MET");
        ok = ok && opened >= 0;
    }

    DestroyWindow(main.hwnd);
    BenchDeleteBook(folder, names);
    BenchClearSettings();
    HistoryStore cleanup;
    lstrcpynA(cleanup.szRoot, full.c_str(), LFILE_PATH);
    cleanup.Prune(cleanup.Now(), 0, 0);
    RemoveDirectoryA(full.c_str());
    return ok ? 0 : 1;
}

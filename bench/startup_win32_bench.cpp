// Start-up of the program to a ready window (shown, its note list filled
// with the 10 notes of its book, answering messages), next to a minimal
// dialog program timed in the same run: this benchmark itself started with
// "/minimal", which makes a dialog with a sorted list view from a template
// and fills it with 10 items. The program may take at most 1.3 times as long
// (the median of the rounds' ratios). Then, for the record and with no goal,
// the start with long notes of 6,000 lines, which the editor wraps while
// the window is made.
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/winbenchkit.h"

namespace {

const int NOTES = 10;
// Enough rounds that the median of their ratios holds still from run to run.
const int ROUNDS = 21;
const int LIST_ID = 102;
const char MINIMAL_CAPTION[] = "Minimal";
const DWORD READY_TIMEOUT_MS = 20000;

// The yardstick program.

// A dialog template in memory: caption, font and one sorted report list.
struct MinimalTemplate {
    std::vector<WORD> words;
    void Add(const char* text) {
        for (; *text; ++text)
            words.push_back((WORD)(unsigned char)*text);
        words.push_back(0);
    }
    void Align() {
        if (words.size() % 2)
            words.push_back(0);
    }
    MinimalTemplate() {
        DLGTEMPLATE dialog = {DS_SETFONT | DS_CENTER | WS_POPUP | WS_VISIBLE | WS_CAPTION |
                                  WS_SYSMENU | WS_THICKFRAME,
                              0, 1, 0, 0, 330, 170};
        Append(&dialog, sizeof dialog);
        words.push_back(0);  // no menu
        words.push_back(0);  // the standard class
        Add(MINIMAL_CAPTION);
        words.push_back(8);
        Add("MS Shell Dlg");
        Align();
        DLGITEMTEMPLATE list = {WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT |
                                    LVS_SORTASCENDING | LVS_SHOWSELALWAYS,
                                0, 0, 0, 124, 160, LIST_ID};
        Append(&list, sizeof list);
        Add("SysListView32");
        words.push_back(0);  // no text
        words.push_back(0);  // no creation data
    }
    void Append(const void* data, size_t bytes) {
        const WORD* w = (const WORD*)data;
        words.insert(words.end(), w, w + bytes / 2);
    }
};

INT_PTR CALLBACK MinimalProc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: {
        HWND list = GetDlgItem(hwnd, LIST_ID);
        LVCOLUMNA column;
        ZeroMemory(&column, sizeof column);
        column.mask = LVCF_WIDTH;
        column.cx = 200;
        ListView_InsertColumn(list, 0, &column);
        for (int i = 0; i < NOTES; ++i) {
            char name[32];
            sprintf(name, "Note %d", NOTES - i);
            LVITEMA item;
            ZeroMemory(&item, sizeof item);
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = name;
            ListView_InsertItem(list, &item);
        }
        return TRUE;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}

int RunMinimal(HINSTANCE instance) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    MinimalTemplate dialog;
    if (!CreateDialogIndirectParamA(instance, (LPCDLGTEMPLATEA)dialog.words.data(), NULL,
                                    MinimalProc, 0))
        return 1;
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

// The measurement.

// Seconds from starting the process to its ready window; negative on failure.
double TimeStart(const std::string& commandLine, const char* caption, bool withMenu,
                 UINT closeMessage, WPARAM closeWParam) {
    PROCESS_INFORMATION pi;
    double start = BenchNow();
    if (!BenchStartProcess(commandLine, &pi))
        return -1;
    double took = -1;
    HWND window = NULL;
    while (BenchNow() - start < READY_TIMEOUT_MS / 1000.0) {
        if (!window)
            window = BenchFindTopWindow(caption, withMenu);
        if (BenchWindowReady(window, LIST_ID, NOTES, READY_TIMEOUT_MS)) {
            took = BenchNow() - start;
            break;
        }
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    if (!BenchEndProcess(pi, window, closeMessage, closeWParam))
        took = -1;
    return took;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int Measure(const std::string& self, const std::string& program) {
    const UINT CM_EXIT = 1010;
    std::vector<double> minimal, jotwell;
    for (int round = 0; round < ROUNDS; ++round) {
        double m = TimeStart("\"" + self + "\" /minimal", MINIMAL_CAPTION, false, WM_CLOSE, 0);
        double j = TimeStart("\"" + program + "\"", "Jotwell", true, WM_COMMAND, CM_EXIT);
        if (m < 0 || j < 0) {
            printf("startup: round %d: %s did not come up ready\n", round + 1,
                   m < 0 ? "the minimal program" : "the program");
            return 1;
        }
        minimal.push_back(m);
        jotwell.push_back(j);
    }
    // The two starts of a round run back to back, so the ratio of a round
    // sees the same load of the machine; the median of those ratios is what
    // the goal is judged on.
    std::vector<double> ratios;
    for (int round = 0; round < ROUNDS; ++round)
        ratios.push_back(jotwell[round] / minimal[round]);
    const double ratio = Median(ratios);
    printf("startup, %d notes, best and median of %d starts each:\n", NOTES, ROUNDS);
    printf("startup: minimal dialog program  %7.1f ms  (median %7.1f ms)\n",
           *std::min_element(minimal.begin(), minimal.end()) * 1e3, Median(minimal) * 1e3);
    printf("startup: program to ready window %7.1f ms  (median %7.1f ms)\n",
           *std::min_element(jotwell.begin(), jotwell.end()) * 1e3, Median(jotwell) * 1e3);
    printf("startup: median ratio of the rounds %5.2f (goal <= 1.3: %s)\n", ratio,
           ratio <= 1.3 ? "met" : "NOT MET");
    return 0;
}

// Every note of the book made long, so whichever the program loads first is.
bool MakeNotesLong(const std::string& book, const std::vector<std::string>& names) {
    std::string text;
    for (int line = 0; line < 6000; ++line)
        text += "Words of a long note, one line of many, as a list or a log would hold them.\r\n";
    for (const std::string& name : names) {
        HANDLE h = CreateFileA((book + "\\" + name + ".txt").c_str(), GENERIC_WRITE, 0, NULL,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        DWORD written = 0;
        bool ok = h != INVALID_HANDLE_VALUE &&
                  WriteFile(h, text.data(), (DWORD)text.size(), &written, NULL) &&
                  written == text.size();
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
        if (!ok)
            return false;
    }
    return true;
}

int MeasureLongNotes(const std::string& book, const std::vector<std::string>& names,
                     const std::string& program) {
    const UINT CM_EXIT = 1010;
    if (!MakeNotesLong(book, names)) {
        printf("startup: cannot write the long notes\n");
        return 1;
    }
    std::vector<double> starts;
    for (int round = 0; round < 5; ++round) {
        double took = TimeStart("\"" + program + "\"", "Jotwell", true, WM_COMMAND, CM_EXIT);
        if (took < 0) {
            printf("startup: the program did not come up ready with long notes\n");
            return 1;
        }
        starts.push_back(took);
    }
    printf("startup: program with a 6,000-line first note  median of 5 starts %7.1f ms\n",
           Median(starts) * 1e3);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc >= 2 && strcmp(__argv[1], "/minimal") == 0)
        return RunMinimal(instance);

    char self[MAX_PATH] = "";
    GetModuleFileNameA(NULL, self, MAX_PATH);
    const std::string program = BenchProgramPath();
    if (GetFileAttributesA(program.c_str()) == INVALID_FILE_ATTRIBUTES) {
        printf("startup: no program at %s\n", program.c_str());
        return 1;
    }

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string book = std::string(temp) + "jotwell-startbench";
    std::vector<std::string> names = BenchNoteNames(NOTES);
    if (!BenchMakeBook(book, names)) {
        printf("startup: cannot write the book in %s\n", book.c_str());
        BenchDeleteBook(book, names);
        return 1;
    }
    BenchSeedOneBook(book);
    int status = Measure(self, program);
    status |= MeasureLongNotes(book, names, program);
    BenchClearSettings();
    BenchDeleteBook(book, names);
    fflush(stdout);
    return status;
}

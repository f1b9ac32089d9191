// Puts the program into the states worth looking at and saves a picture of
// the screen for each: jw_shots <output-folder>. The pictures are BMP files;
// tools/screenshots.sh turns them into PNG.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <shlwapi.h>

#include <functional>
#include <string>
#include <thread>

#include "app/settings.h"
#include "dialogs/dpiscale.h"
#include "dialogs/ldpi.h"
#include "dialogs/lrichedit.h"
#include "features/diarypropertiesdialog.h"
#include "mainwindow/maindialog.h"
#include "notebook/bookpropertiesdialog.h"
#include "resources/resource.h"
#include "tools/shots/capture.h"
#include "tools/shots/shotbooks.h"

namespace {

std::string g_folder;
int g_dpi = DPI_STANDARD;  // the screen's; positions below are given at 96

int Px(int pixels) {
    return ScalePixels(pixels, g_dpi);
}

void Pump(DWORD ms, MainDialog* dialog) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (dialog && dialog->hwnd)
                dialog->ProcessMessage(msg);
            else {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
    }
}

void Save(const char* name) {
    CaptureScreen(g_folder + "\\" + name + ".bmp");
}

// While the main thread sits in a modal loop, a second thread waits for a
// window, saves the picture and then closes what is open.
std::thread CaptureWhenShown(const char* caption, const char* name, std::function<void(HWND)> close) {
    std::string wanted = caption;
    std::string shot = name;
    return std::thread([wanted, shot, close] {
        HWND window = NULL;
        for (int i = 0; i < 200 && !window; ++i) {
            window = FindWindowA(NULL, wanted.c_str());
            Sleep(50);
        }
        Sleep(700);  // let it paint
        Save(shot.c_str());
        if (window)
            close(window);
    });
}

void PressLater(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(window, id));
}

void SelectBook(MainDialog& dialog, const char* name) {
    HWND books = dialog.BookList();
    LRESULT item = SendMessageA(books, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)name);
    SendMessageA(books, CB_SETCURSEL, item, 0);
    SendMessageA(dialog.hwnd, WM_COMMAND, MAKEWPARAM(IDC_BOOKS, CBN_SELCHANGE), (LPARAM)books);
}

// Presses Help in a dialog, then Cancel once the help viewer is up.
std::thread PressHelpWhenShown(const char* caption) {
    std::string wanted = caption;
    return std::thread([wanted] {
        HWND window = NULL;
        for (int i = 0; i < 200 && !window; ++i) {
            window = FindWindowA(NULL, wanted.c_str());
            Sleep(50);
        }
        PressLater(window, IDC_HELP_BUTTON);
        for (int i = 0; i < 200 && !FindWindowA(NULL, "Jotwell Help"); ++i)
            Sleep(50);
        PressLater(window, IDCANCEL);
    });
}

// Opens the help viewer with open(), saves the picture and closes it.
void ShowHelp(MainDialog& dialog, const char* name, std::function<void()> open) {
    open();
    HWND viewer = NULL;
    for (int i = 0; i < 200 && !viewer; ++i) {
        Pump(50, &dialog);
        viewer = FindWindowA(NULL, "Jotwell Help");
    }
    if (viewer) {
        MoveWindow(viewer, Px(300), Px(140), Px(560), Px(440), TRUE);
        SetForegroundWindow(viewer);
    }
    Pump(1200, &dialog);
    Save(name);
    if (viewer)
        PostMessageA(viewer, WM_CLOSE, 0, 0);
    for (int i = 0; i < 100 && FindWindowA(NULL, "Jotwell Help"); ++i)
        Pump(50, &dialog);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    char full[MAX_PATH];
    GetFullPathNameA(argv[1], MAX_PATH, full, NULL);
    g_folder = full;
    CreateDirectoryA(full, NULL);
    g_dpi = LDpi::OfSystem();

    ShotBooks books;
    MainDialog dialog;
    dialog.Create(NULL, MAKEINTRESOURCEA(IDD_MAIN));
    MoveWindow(dialog.hwnd, Px(120), Px(60), Px(760), Px(480), TRUE);
    Pump(600, &dialog);
    Save("splash");

    dialog.splash.Destroy();
    SendMessageA(dialog.hwnd, WM_TIMER, TIMER_STATUS, 0);
    // A filled-in slot, selected by Tab as the user would.
    SetFocus(GetDlgItem(dialog.hwnd, IDC_NOTE_NAME));
    dialog.MoveFocus(false);
    SendMessageA(dialog.NoteText(), EM_REPLACESEL, TRUE, (LPARAM) "Team meeting");
    dialog.MoveFocus(false);
    dialog.MoveFocus(false);
    SendMessageA(dialog.NoteText(), EM_REPLACESEL, TRUE, (LPARAM) "Call the printer service");
    Pump(800, &dialog);
    Save("main-window-diary");

    // A book of twenty notes, one of them open.
    SelectBook(dialog, "Other Notes");
    dialog.LVSelectItem(IDC_NOTES, dialog.FindNoteItem("Ideas"));
    Pump(800, &dialog);
    Save("main-window");

    std::thread find = CaptureWhenShown("Find", "find", [](HWND w) { PressLater(w, IDCANCEL); });
    SendMessageA(dialog.hwnd, WM_COMMAND, CM_FIND, 0);
    find.join();

    std::thread about = CaptureWhenShown("About Jotwell", "about", [](HWND w) { PressLater(w, IDOK); });
    SendMessageA(dialog.hwnd, WM_COMMAND, CM_HELP_ABOUT, 0);
    about.join();

    std::thread diary = CaptureWhenShown("Diary Properties", "diary-properties",
                                         [](HWND w) { PressLater(w, IDCANCEL); });
    {
        DiaryPropertiesDialog properties;
        properties.RunModal(dialog.hwnd, MAKEINTRESOURCEA(IDD_DIARY_PROPERTIES));
    }
    diary.join();

    std::thread book = CaptureWhenShown("Book Properties", "book-properties",
                                        [](HWND w) { PressLater(w, IDCANCEL); });
    SelectBook(dialog, "PhoneBook");
    SendMessageA(dialog.hwnd, WM_COMMAND, CM_BOOK_PROPERTIES, 0);
    book.join();

    // Help: the contents from F1, and the topics behind the Help buttons.
    ShowHelp(dialog, "help-contents", [&] {
        MSG key = {dialog.hwnd, WM_KEYDOWN, VK_F1, 1, 0, {0, 0}};
        dialog.ProcessMessage(key);
    });
    ShowHelp(dialog, "help-book-properties", [&] {
        std::thread press = PressHelpWhenShown("Book Properties");
        SendMessageA(dialog.hwnd, WM_COMMAND, CM_BOOK_PROPERTIES, 0);
        press.join();
    });
    ShowHelp(dialog, "help-diary-properties", [&] {
        std::thread press = PressHelpWhenShown("Diary Properties");
        DiaryPropertiesDialog properties;
        properties.RunModal(dialog.hwnd, MAKEINTRESOURCEA(IDD_DIARY_PROPERTIES));
        press.join();
    });

    // The tray menu opens where the mouse is: over the notification area.
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    SetCursorPos(cx - Px(40), cy - Px(60));
    HWND main = dialog.hwnd;
    std::thread tray([main] {
        Sleep(1200);
        Save("tray-menu");
        PostMessageA(main, WM_CANCELMODE, 0, 0);
        keybd_event(VK_ESCAPE, 0, 0, 0);
        keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    });
    SendMessageA(dialog.hwnd, WM_TRAYNOTIFY, TRAY_ICON_ID, WM_RBUTTONDOWN);
    tray.join();
    Pump(300, &dialog);

    SendMessageA(dialog.hwnd, WM_COMMAND, CM_EXIT, 0);
    Pump(300, NULL);
    return 0;
}

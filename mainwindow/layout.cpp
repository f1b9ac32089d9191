// Placing the main window's controls on every resize.

#include <windows.h>
#include <commctrl.h>

#include "mainwindow/layoutrules.h"
#include "mainwindow/maindialog.h"
#include "resources/resource.h"

namespace {
int WindowHeight(HWND window) {
    RECT r;
    if (!window || !GetWindowRect(window, &r))
        return 0;
    return r.bottom - r.top;
}

void Place(LDialog& dialog, int id, const ControlPlace& p) {
    dialog.MoveControl(id, p.x, p.y, p.width, p.height);
}
}  // namespace

void MainDialog::LayoutControls() {
    RECT client;
    GetClientRect(hwnd, &client);
    MainLayout m = ComputeMainLayout(client.right, client.bottom, DialogUnitsToPixels(10),
                                     WindowHeight(GetDlgItem(hwnd, IDC_STATUS)),
                                     WindowHeight(hwndToolBar));
    Place(*this, IDC_STATUS, m.status);
    Place(*this, IDC_BOOKS, m.books);
    Place(*this, IDC_NOTE_NAME, m.noteName);
    Place(*this, IDC_NOTES, m.notes);
    Place(*this, IDC_NOTE_TEXT, m.noteText);
    FitNotesColumn();

    if (hwndToolBar)
        SendMessageA(hwndToolBar, TB_AUTOSIZE, 0, 0);
    InvalidateRect(hwnd, NULL, FALSE);
}

// The list's vertical scroll bar comes and goes with the number of notes,
// which changes the room for the one column: a column wider than that room
// brings a sideways scroll bar under the names.
void MainDialog::FitNotesColumn() {
    RECT list;
    GetClientRect(NotesList(), &list);
    LVSetColumnWidth(IDC_NOTES, 0, list.right - 1);
}

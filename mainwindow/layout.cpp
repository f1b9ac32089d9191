// Placing the main window's controls on every resize, and making them again
// for a change of DPI.

#include <windows.h>
#include <commctrl.h>

#include "dialogs/dpiscale.h"
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
                                     WindowHeight(hwndToolBar), iDpi);
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
    LVSetColumnWidth(IDC_NOTES, 0, list.right - ScalePixels(1, iDpi));
}

// The window moved to a monitor of another DPI, or that monitor's DPI
// changed. The system suggests a rectangle that keeps the window's size in
// proportion; the pictures, the note name's font and the gaps are made
// again for the new DPI. While InitDialog restores the stored placement,
// the stored size holds instead, and what it makes next reads the new DPI.
void MainDialog::OnDpiChanged(int dpi, const RECT& suggested) {
    iDpi = dpi;
    if (!bControlsMade)
        return;
    SetIcons();
    MakeNoteNameFont();
    MakeToolBar();
    SetWindowPos(hwnd, NULL, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutControls();
}

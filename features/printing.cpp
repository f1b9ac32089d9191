// Print Note and Print Book. Both go through the shell's "print" verb, so
// the application registered for the file type does the printing.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <string.h>

#include "features/bookprintdialog.h"
#include "features/printbookjob.h"
#include "features/shellprint.h"
#include "mainwindow/maindialog.h"
#include "notebook/notefolder.h"
#include "resources/resource.h"
#include "util/lwide.h"

namespace {

void ShellExecutePrint(HWND owner, const char* path) {
    ShellExecuteU(owner, "print", path, NULL, NULL, SW_HIDE);
}

}  // namespace

ShellPrintFunction g_pfnShellPrint = ShellExecutePrint;

// The selected note files as stored on disk, in list order.
void MainDialog::CmNotePrint() {
    if (MessageBoxU(hwnd, "Print the selected note(s)?", "Confirm Print",
                    MB_ICONQUESTION | MB_OKCANCEL) != IDOK)
        return;
    // What was typed in the last seconds is on screen but not yet on disk.
    SaveData();
    char folder[LFILE_PATH];
    GetCurrentBookFolder(folder);
    HWND list = NotesList();
    for (int i = ListView_GetNextItem(list, -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(list, i, LVNI_SELECTED)) {
        char name[LFILE_PATH], path[LFILE_PATH];
        NoteItemPath(list, i, folder, name, path);
        g_pfnShellPrint(hwnd, path);
    }
}

void MainDialog::CmBookPrint() {
    BookPrintDialog dialog;
    if (!dialog.RunModal(hwnd, MAKEINTRESOURCEA(IDD_BOOK_PRINT)))
        return;
    if (ListView_GetItemCount(NotesList()) == 0)
        return;
    SaveData();
    PrintBookJob job(*this);
    job.Run(hwnd);
}

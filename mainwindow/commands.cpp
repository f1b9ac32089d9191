// Routing of commands, notifications and window messages of the main window.

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>

#include "dialogs/ldpi.h"
#include "dialogs/lrichedit.h"
#include "dialogs/lsplash.h"
#include "mainwindow/linkrules.h"
#include "mainwindow/maindialog.h"
#include "mainwindow/webresources.h"
#include "resources/resource.h"
#include "util/lwide.h"

void MainDialog::Command(WORD id, WORD notifyCode) {
    switch (id) {
    case CM_NOTE_NEW: CmNoteNew(); return;
    case CM_NOTE_DELETE: CmNoteDelete(); return;
    case CM_NOTE_HISTORY: CmNoteHistory(); return;
    case CM_RESTORE_DELETED: CmRestoreDeleted(); return;
    case CM_BOOK_NEW_LOCAL: CmBookNewLocal(false); return;
    case CM_BOOK_NEW_LOCAL_DIARY: CmBookNewLocal(true); return;
    case CM_BOOK_NEW_SHARED: CmBookNew(); return;
    case CM_BOOK_REMOVE: CmBookRemove(); return;
    case CM_BOOK_PROPERTIES: CmBookProperties(); return;
    case CM_BOOK_EXPLORE: CmBookExplore(); return;
    case CM_NOTE_PRINT: CmNotePrint(); return;
    case CM_BOOK_PRINT: CmBookPrint(); return;
    case CM_HOTKEY_ENABLE: CmHotKeyEnable(); return;
    case CM_HOTKEY_CHANGE: CmHotKeyChange(); return;
    case CM_CLOSE:
    case CM_EXIT:
        // A job or a modal question disables this window while it runs, and
        // its own message loop brings the tray menu's commands here: ending
        // now would pull the window from under it. WM_ENABLE carries the
        // request out once it is over.
        if (!IsWindowEnabled(hwnd)) {
            iPendingClose = id;
            return;
        }
        if (id == CM_CLOSE)
            CmClose();
        else
            CmExit();
        return;
    case CM_OPEN: CmOpen(); return;
    case CM_UNDO: SendMessageA(NoteText(), WM_UNDO, 0, 0); return;
    case CM_CUT: SendMessageA(NoteText(), WM_CUT, 0, 0); return;
    case CM_COPY: SendMessageA(NoteText(), WM_COPY, 0, 0); return;
    case CM_PASTE: PastePlainText(); return;
    case CM_CLEAR: SendMessageA(NoteText(), WM_CLEAR, 0, 0); return;
    case CM_SELECT_ALL: LRichEdit::SetSelection(NoteText(), 0, -1); return;
    case CM_FIND: CmFind(); return;
    case CM_FIND_NEXT: CmFindNext(); return;
    case CM_SEARCH_ALL: CmSearchAll(); return;
    case CM_HELP_CONTENTS: CmHelp(); return;
    case CM_HELP_ABOUT: {
        LAboutBox about;
        about.RunModal(hwnd, "LAbout");
        return;
    }
    case IDC_BOOKS:
        if (notifyCode == CBN_SELCHANGE)
            OnBookSelected();
        return;
    case IDC_NOTE_TEXT:
        if (notifyCode == EN_CHANGE) {
            // A note given to the editor is no typing: no look at the
            // turn, and the scan need not wait for it.
            if (!bStreamingIn) {
                if (!bNoteTextChanged && NoteLoaded())
                    savingTurn.Notice(szNoteName, GetTickCount());
                dwLastTyped = GetTickCount();
            }
            bNoteTextChanged = true;
            SetTimer(hwnd, TIMER_SAVE, SAVE_TEXT_DELAY, NULL);
            SetTimer(hwnd, TIMER_SCAN, SCAN_PERIOD, NULL);
        }
        return;
    case IDC_NOTE_NAME:
        if (notifyCode == EN_CHANGE) {
            bNoteNameChanged = true;
            SetTimer(hwnd, TIMER_SAVE, SAVE_NAME_DELAY, NULL);
            SetTimer(hwnd, TIMER_SCAN, SCAN_PERIOD, NULL);
        }
        return;
    }
    if (id >= CM_WEB_FIRST && id <= CM_WEB_LAST)
        OpenWebResource(id);
}

void MainDialog::OnBookSelected() {
    // The note being left must not lose unsaved text when it cannot be saved.
    if (!ConfirmLeaveNote()) {
        SelectBookOfLoadedNote();
        return;
    }
    InitItemsList();
    UpdateReadOnlyFlag();
    SetTimer(hwnd, TIMER_SCAN, SCAN_AFTER_BOOK_CHANGE, NULL);
}

void MainDialog::OnFolderChanged() {
    // While the user types, the scan waits as it always did (its timer
    // starts again at each change); a burst of changes makes one scan.
    if (bScanSoon || bNoteTextChanged || bNoteNameChanged ||
        GetTickCount() - dwLastTyped < SCAN_PERIOD)
        return;
    bScanSoon = true;
    SetTimer(hwnd, TIMER_SCAN, SCAN_AFTER_FOLDER_CHANGE, NULL);
}

void MainDialog::OpenWebResource(int id) {
    const char* address = WebResourceAddress(id);
    if (address)
        ShellExecuteU(hwnd, NULL, address, NULL, NULL, SW_SHOWNORMAL);
}

void MainDialog::OnTimer(UINT id) {
    // A timer never runs inside its own handler: it is stopped first.
    KillTimer(hwnd, id);
    switch (id) {
    case TIMER_STATUS:
        ShowNextStatusMessage();
        SetTimer(hwnd, TIMER_STATUS, STATUS_PERIOD, NULL);
        break;
    case TIMER_SAVE:
        SaveOnTimer();
        break;
    case TIMER_START:
        FinishStart();
        break;
    case TIMER_SCAN:
        bScanSoon = false;
        ScanFolders();
        if (hwnd)
            SetTimer(hwnd, TIMER_SCAN, SCAN_PERIOD, NULL);
        break;
    }
}

void MainDialog::ShowPopupMenu(int menuId) {
    HMENU menu = LoadMenuA(LGetInstance(), MAKEINTRESOURCEA(menuId));
    if (!menu)
        return;
    HMENU popup = GetSubMenu(menu, 0);
    if (menuId == IDM_NOTE_LIST) {
        EnableNoteItems(popup);
    } else if (menuId == IDM_NOTE_TEXT) {
        EnableEditItems(popup);
    } else if (menuId == IDM_TRAY) {
        SetMenuDefaultItem(popup, CM_OPEN, FALSE);
        // The menu closes on a click elsewhere only when the window is in front.
        SetForegroundWindow(hwnd);
    }
    POINT pt;
    GetCursorPos(&pt);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd, NULL);
    if (menuId == IDM_TRAY)
        PostMessageA(hwnd, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

void MainDialog::ShowNewBookMenu() {
    HMENU file = GetSubMenu(GetMenu(hwnd), 0);
    HMENU newBook = file ? GetSubMenu(file, 3) : NULL;
    if (!newBook)
        return;
    POINT pt;
    GetCursorPos(&pt);
    TrackPopupMenu(newBook, TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd, NULL);
}

void MainDialog::OpenClickedLink(const ENLINK* link) {
    LRichEdit::SetSelection(NoteText(), link->chrg.cpMin, link->chrg.cpMax);
    // In Unicode: an address may hold characters the code page lacks.
    WCHAR address[LFILE_PATH] = L"";
    LONG end = link->chrg.cpMax;
    if (end - link->chrg.cpMin > LFILE_PATH_MAX_CHARS)
        end = link->chrg.cpMin + LFILE_PATH_MAX_CHARS;
    TEXTRANGEW range = {{link->chrg.cpMin, end}, address};
    SendMessageW(NoteText(), EM_GETTEXTRANGE, 0, (LPARAM)&range);
    char shown[LFILE_PATH] = "";
    LNarrowTo(address, shown, LFILE_PATH);
    if (!LinkOpensWithoutQuestion(shown)) {
        char question[LFILE_PATH + 80];
        wsprintfA(question, "This link is not a web or mail address:\n\n%s\n\nOpen it?", shown);
        if (MessageBoxU(hwnd, question, "Jotwell", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) !=
            IDYES)
            return;
    }
    ShellExecuteW(hwnd, L"open", address, NULL, NULL, SW_SHOWNORMAL);
}

INT_PTR MainDialog::OnNotify(NMHDR* hdr) {
    switch (hdr->idFrom) {
    case IDC_TOOLBAR:
        if (hdr->code == (UINT)TBN_DROPDOWN) {
            ShowNewBookMenu();
            return FALSE;
        }
        break;
    case IDC_NOTES:
        if (hdr->code == (UINT)LVN_ITEMCHANGED) {
            const NMLISTVIEW* nm = (const NMLISTVIEW*)hdr;
            if ((nm->uChanged & LVIF_STATE) && (nm->uNewState & LVIS_SELECTED)) {
                ItemSelectionChanged();
                if (hwnd)
                    UpdateControls();
            }
        } else if (hdr->code == (UINT)LVN_DELETEALLITEMS) {
            // No notification per item: the list is refilled at once.
            SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, TRUE);
        }
        return TRUE;
    case IDC_NOTE_TEXT:
        if (hdr->code == EN_LINK) {
            const ENLINK* link = (const ENLINK*)hdr;
            if (link->msg == WM_LBUTTONDOWN)
                OpenClickedLink(link);
        } else if (hdr->code == EN_MSGFILTER) {
            const MSGFILTER* filter = (const MSGFILTER*)hdr;
            if (filter->msg == WM_RBUTTONDOWN)
                ShowPopupMenu(IDM_NOTE_TEXT);
        } else if (hdr->code == EN_SELCHANGE) {
            UpdateEditItems();
        }
        return TRUE;
    }
    return TRUE;
}

INT_PTR MainDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (uTaskbarCreated && msg == uTaskbarCreated) {
        // The shell restarted: its notification area lost our icon.
        AddTrayIcon();
        return TRUE;
    }
    switch (msg) {
    case WM_TIMER:
        OnTimer((UINT)wParam);
        return TRUE;
    case WM_SIZE:
        // Until its controls are all made, InitDialog lays them out itself.
        if (bControlsMade)
            LayoutControls();
        return TRUE;
    case WM_HOTKEY:
        CmOpen();
        return TRUE;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *(const RECT*)lParam);
        // Not handled: the dialog manager of newer systems then gives the
        // other controls the dialog's font for the new DPI.
        break;
    case WM_ENABLE:
        if (wParam && iPendingClose) {
            PostMessageA(hwnd, WM_COMMAND, iPendingClose, 0);
            iPendingClose = 0;
        }
        break;
    case WM_QUERYENDSESSION:
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, QueryEndSession());
        return TRUE;
    case WM_SAVEFAILURE:
        CmOpen();
        ShowSaveFailure();
        return TRUE;
    case WM_HISTORYFAILURE:
        ShowHistoryFailure();
        return TRUE;
    case WM_FOLDERCHANGED:
        OnFolderChanged();
        return TRUE;
    case WM_TRAYNOTIFY:
        if (lParam == WM_LBUTTONUP)
            CmOpen();
        else if (lParam == WM_RBUTTONDOWN || lParam == WM_CONTEXTMENU)
            ShowPopupMenu(IDM_TRAY);
        return TRUE;
    case WM_CTLCOLOREDIT:
        if ((HWND)lParam == GetDlgItem(hwnd, IDC_NOTE_NAME)) {
            HDC dc = (HDC)wParam;
            SetBkColor(dc, kNoteNameBackground);
            SetBkMode(dc, OPAQUE);
            SetTextColor(dc, 0x003F0000);
            return (INT_PTR)hbrNoteName;
        }
        break;
    case WM_CONTEXTMENU:
        if ((HWND)wParam == NotesList())
            ShowPopupMenu(IDM_NOTE_LIST);
        else if ((HWND)wParam == GetDlgItem(hwnd, IDC_STATUS))
            ShowPopupMenu(IDM_STATUS_BAR);
        break;
    case WM_NOTIFY:
        return OnNotify((NMHDR*)lParam);
    }
    return LToolBarDialog::DialogProc(msg, wParam, lParam);
}

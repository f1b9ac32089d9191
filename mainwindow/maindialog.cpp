// The main window's life: construction, initialisation, the status-bar
// rotation, the enabled state of menus and controls, closing and tear-down.
#include "mainwindow/maindialog.h"

#include <commctrl.h>
#include <richedit.h>
#include <string.h>

#include "app/settingkeys.h"
#include "dialogs/dpiscale.h"
#include "dialogs/ldpi.h"
#include "dialogs/lrichedit.h"
#include "installer/installdialog.h"
#include "resources/resource.h"
#include "util/lsystemlibrary.h"
#include "util/lwide.h"

namespace {

const char* const kStatusMessages[] = {
    "Tip: press Ctrl+N to start a new note in the current book.",
    "Tip: notes are saved by themselves three seconds after you stop typing.",
    "Tip: type in the name box above the note to rename it.",
    "Tip: Page Up and Page Down move to the previous and the next note.",
    "Tip: in a diary note, Tab jumps to the next hourly slot.",
    "Tip: press Ctrl+F to find text in this note or in the whole book.",
    "Tip: keep a book in a shared folder and everyone who uses it sees the same notes.",
    "Tip: turn on the hot key in the File menu to call Jotwell from any program.",
    NULL,  // end mark
};

const LToolBarButton kToolBar[] = {
    {CM_NOTE_NEW, -IDB_NOTE_NEW, "New Note", "Create new note in current book", 0},
    {CM_NOTE_DELETE, -IDB_NOTE_DELETE, "Delete Note", "Delete the selected note", 0},
    {0, 0, NULL, NULL, TBSTYLE_SEP},
    {CM_BOOK_NEW_LOCAL, -IDB_BOOK_NEW, "New Book", "Create new book", TBSTYLE_DROPDOWN},
    {0, 0, NULL, NULL, TBSTYLE_SEP},
    {CM_FIND, -IDB_FIND, "Find", "Find text", 0},
};
const int kToolBarButtons = sizeof kToolBar / sizeof kToolBar[0];

// Shown while no note is loaded, when typing would go nowhere.
const char kNoNoteTip[] = "This book has no notes yet. Press Ctrl+N to start one.";
const char kEditorTip[] = "Type note here.";

void EnableMenuItemIn(HMENU menu, UINT command, bool enable) {
    EnableMenuItem(menu, command, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

const COLORREF kReadOnlyBackground = 0x00F0F0F0;
const COLORREF kWhite = 0x00FFFFFF;

}  // namespace

MainDialog::MainDialog()
    : iFindNoteIndex(0),
      iFindCharPos(0),
      bFindMatchCase(false),
      iStatusMessage(0),
      hbrNoteName(NULL),
      bNoteNameChanged(false),
      bNoteTextChanged(false),
      hwndToolTip(NULL),
      bReadOnlyBook(false),
      hfontNoteName(NULL),
      hiconLarge(NULL),
      hiconSmall(NULL),
      iDpi(DPI_STANDARD),
      uTaskbarCreated(0),
      bSaveFailureShown(false),
      bSaveFailing(false),
      dwSaveFailingSince(0),
      bNoteUnreadable(false),
      iEditorState(EDITOR_UNSTYLED),
      iNoteEncoding(TEXT_CODE_PAGE),
      bNoteBareLineFeeds(false),
      bHotKeyRegistered(false),
      iPendingClose(0),
      bControlsMade(false),
      iLastSave(NOTE_SAVED),
      bScanSoon(false),
      bStreamingIn(false),
      dwLastTyped(GetTickCount() - SCAN_PERIOD),
      bNoteBytesKnown(false),
      ullNoteBytesTime(0),
      bHistoryFailureShown(false) {
    szFindText[0] = '\0';
    strcpy(szNoteName, NOTE_NONE);
    knownVersion.known = false;
    knownVersion.time = 0;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES |
                                                ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    // Provides the note editor's window class; stays loaded for the run.
    LoadSystemLibrary("riched20.dll");
    hbrNoteName = CreateSolidBrush(kNoteNameBackground);
    uTaskbarCreated = RegisterWindowMessageA("TaskbarCreated");
}

MainDialog::~MainDialog() {
    if (hbrNoteName)
        DeleteObject(hbrNoteName);
    if (hwndToolTip && IsWindow(hwndToolTip))
        DestroyWindow(hwndToolTip);
    splash.Destroy();
    if (hfontNoteName)
        DeleteObject(hfontNoteName);
    if (hiconLarge)
        DestroyIcon(hiconLarge);
    if (hiconSmall)
        DestroyIcon(hiconSmall);
}

void MainDialog::InitDialog() {
    // Placed before the controls are made to fit: they are laid out once,
    // when they are all made, rather than at every change of size on the way.
    WindowSizeSettingsRestore();
    // Read where the window now is: what follows is made for that DPI.
    iDpi = LDpi::ForWindow(hwnd);
    LDpi::KeepOwnLayout(hwnd);
    LDpi::KeepOwnFont(GetDlgItem(hwnd, IDC_NOTE_NAME));
    SetIcons();

    MakeToolBar();

    SendDlgItemMessageA(hwnd, IDC_NOTES, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                        LVS_EX_FULLROWSELECT);
    const char* const titles[] = {"", NULL};
    const int percents[] = {100};
    LVInsertColumns(IDC_NOTES, titles, percents);

    MakeNoteNameFont();

    // The editor's own limit (32,767 characters) would stop typing and
    // pasting silently in a long note.
    SendDlgItemMessageA(hwnd, IDC_NOTE_TEXT, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);

    // Laid out before the first note is loaded: the editor then wraps its
    // text once, at its final width.
    bControlsMade = true;
    LayoutControls();

    history.NotifyFailure(hwnd, WM_HISTORYFAILURE);
    InitFolderList();

    // A timer message comes after the first paint.
    SetTimer(hwnd, TIMER_START, 0, NULL);
    SetTimer(hwnd, TIMER_STATUS, STATUS_FIRST_DELAY, NULL);
    SetTimer(hwnd, TIMER_SCAN, SCAN_PERIOD, NULL);

    HotKeyOpen();

    if (__argc >= 2 && strcmp(__argv[1], "/logon") == 0)
        PostMessageA(hwnd, WM_COMMAND, CM_CLOSE, 0);

    UpdateEditItems();
}

// The window's icons for its DPI; the ones they replace are destroyed.
void MainDialog::SetIcons() {
    HICON large = LDpi::LoadScaledIcon(IDI_JOTWELL, 32, iDpi);
    HICON small = LDpi::LoadScaledIcon(IDI_JOTWELL, 16, iDpi);
    SendMessageA(hwnd, WM_SETICON, ICON_BIG, (LPARAM)large);
    SendMessageA(hwnd, WM_SETICON, ICON_SMALL, (LPARAM)small);
    if (hiconLarge)
        DestroyIcon(hiconLarge);
    if (hiconSmall)
        DestroyIcon(hiconSmall);
    hiconLarge = large;
    hiconSmall = small;
}

// The toolbar with its images for the window's DPI, in place of any earlier one.
void MainDialog::MakeToolBar() {
    if (hwndToolBar)
        DestroyWindow(hwndToolBar);
    hwndToolBar = NULL;
    LToolBar::SetToolBar(&hwndToolBar, kToolBar, hwnd, kToolBarButtons, iDpi);
    // Its labels keep the toolbar's own font, not the dialog's.
    LDpi::KeepOwnFont(hwndToolBar);
    // The tooltips wait for the first paint (FinishStart); after it, a new
    // toolbar gets them at once.
    if (hwndToolTip)
        LToolBar::SetToolTips(hwndToolBar, kToolBar, kToolBarButtons);
}

// The note name in bold, 17 pixels high at 96 DPI. The edit keeps its
// current font when no new one can be made.
void MainDialog::MakeNoteNameFont() {
    HFONT font = CreateFontA(ScalePixels(17, iDpi), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                             ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, FF_MODERN | DEFAULT_PITCH, NULL);
    if (!font)
        return;
    SendDlgItemMessageA(hwnd, IDC_NOTE_NAME, WM_SETFONT, (WPARAM)font, FALSE);
    if (hfontNoteName)
        DeleteObject(hfontNoteName);
    hfontNoteName = font;
}

// What the window's first paint does not need, run right after it: a
// second top-level window, the shell's notification area and the tooltips
// each cost round trips to the window system that delayed the first sight
// of the notes.
void MainDialog::FinishStart() {
    splash.Display(hwnd);
    AddTrayIcon();

    LToolBar::SetToolTips(hwndToolBar, kToolBar, kToolBarButtons);

    AddTool(hwndToolTip, IDC_BOOKS, "Current book. Pull down the list to select another book.");
    AddTool(hwndToolTip, IDC_NOTES, "List of notes in this book. Click on a note to view it.");
    AddTool(hwndToolTip, IDC_NOTE_NAME, "Note name. Type here to change its name.");
    // The editor may already be locked for want of a note.
    AddTool(hwndToolTip, IDC_NOTE_TEXT, iEditorState == EDITOR_NO_NOTE ? kNoNoteTip : kEditorTip);
    AddTool(hwndToolTip, IDC_STATUS, "Click here");

    // In the background, and never before the window shows.
    history.Prune(HistoryMaxAgeSetting(), HistoryMaxBytesSetting());
}

bool MainDialog::CmOk() {
    return false;  // Enter never closes the window
}

bool MainDialog::CmCancel() {
    CmClose();
    return false;
}

void MainDialog::CmHelp() {
    DisplayHelpContents(HELP_CONTENTS, 0);
}

void MainDialog::UpdateControls() {
    // Only a change is passed on: the editor reports its own restyling as a
    // change of text, which would bring us back here. With no note loaded,
    // text typed would be saved nowhere: the editor is locked and says how to
    // start a note.
    HWND text = NoteText();
    bool locked = bReadOnlyBook || bNoteUnreadable;
    EditorState editorState = locked       ? EDITOR_READ_ONLY
                              : !NoteLoaded() ? EDITOR_NO_NOTE
                                              : EDITOR_EDITABLE;
    if (text && editorState != iEditorState) {
        bool tipChanges = editorState == EDITOR_NO_NOTE || iEditorState == EDITOR_NO_NOTE;
        iEditorState = editorState;
        bool editable = editorState == EDITOR_EDITABLE;
        LRichEdit::SetBackground(text, editable ? kWhite : kReadOnlyBackground);
        LRichEdit::SetReadOnly(text, !editable);
        if (tipChanges) {
            SetEditorTip(editorState == EDITOR_NO_NOTE ? kNoNoteTip : kEditorTip);
            ShowNextStatusMessage();
        }
    }
    EnableNoteItems(GetMenu(hwnd));
    bool loaded = szNoteName[0] != '\0';
    EnableControl(IDC_NOTE_NAME, loaded && !locked);
}

void MainDialog::UpdateEditItems() {
    EnableEditItems(GetMenu(hwnd));
}

// The window's menu and the pop-up menus follow the same rules.
void MainDialog::EnableNoteItems(HMENU menu) {
    bool loaded = szNoteName[0] != '\0';
    EnableMenuItemIn(menu, CM_NOTE_NEW, !bReadOnlyBook);
    EnableMenuItemIn(menu, CM_NOTE_PRINT, loaded);
    EnableMenuItemIn(menu, CM_NOTE_DELETE, loaded && !bReadOnlyBook);
    EnableMenuItemIn(menu, CM_NOTE_HISTORY, NoteLoaded());
    EnableMenuItemIn(menu, CM_RESTORE_DELETED, !bReadOnlyBook);
}

void MainDialog::EnableEditItems(HMENU menu) {
    LONG start = 0, end = 0;
    if (NoteText())
        LRichEdit::GetSelection(NoteText(), &start, &end);
    bool selected = start != end;
    EnableMenuItemIn(menu, CM_CUT, selected);
    EnableMenuItemIn(menu, CM_COPY, selected);
    EnableMenuItemIn(menu, CM_CLEAR, selected);
}

void MainDialog::CmClose() {
    if (HotKeyOn()) {
        ShowWindow(hwnd, SW_HIDE);
        return;
    }
    CmExit();
}

void MainDialog::CmOpen() {
    ShowWindow(hwnd, SW_RESTORE);
    SetForegroundWindow(hwnd);
}

void MainDialog::CmExit() {
    if (!ConfirmLeaveNote())
        return;
    Close(IDCANCEL);
}

void MainDialog::SetEditorTip(const char* tip) {
    TOOLINFOA ti;
    ZeroMemory(&ti, sizeof ti);
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = hwnd;
    ti.uId = (UINT_PTR)NoteText();
    ti.lpszText = (LPSTR)tip;
    if (hwndToolTip)
        SendMessageA(hwndToolTip, TTM_UPDATETIPTEXTA, 0, (LPARAM)&ti);
}

BOOL MainDialog::QueryEndSession() {
    KillTimer(hwnd, TIMER_SAVE);
    if (SaveData())
        return TRUE;
    // Ending the session would lose the text. The answer goes back at once;
    // the user is told afterwards, and the save is tried again as after any
    // failure.
    SetTimer(hwnd, TIMER_SAVE, SAVE_RETRY_DELAY, NULL);
    PostMessageA(hwnd, WM_SAVEFAILURE, 0, 0);
    return FALSE;
}

void MainDialog::ShowNextStatusMessage() {
    if (iEditorState == EDITOR_NO_NOTE) {
        // Held while the book is empty instead of rotating away.
        SendDlgItemMessageA(hwnd, IDC_STATUS, SB_SETTEXTA, 0, (LPARAM)kNoNoteTip);
        return;
    }
    if (!kStatusMessages[iStatusMessage])
        iStatusMessage = 0;
    SendDlgItemMessageA(hwnd, IDC_STATUS, SB_SETTEXTA, 0, (LPARAM)kStatusMessages[iStatusMessage]);
    ++iStatusMessage;
}

void MainDialog::AddTrayIcon() {
    // The notification area keeps the system's DPI, wherever the window is.
    HICON icon = LDpi::LoadScaledIcon(IDI_JOTWELL, 16, LDpi::OfSystem());
    if (!icon)
        return;
    NOTIFYICONDATAA nid;
    ZeroMemory(&nid, sizeof nid);
    nid.cbSize = sizeof nid;
    nid.hWnd = hwnd;
    nid.uID = TRAY_ICON_ID;
    nid.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    nid.uCallbackMessage = WM_TRAYNOTIFY;
    nid.hIcon = icon;
    lstrcpynA(nid.szTip, "Jotwell", sizeof nid.szTip);
    Shell_NotifyIconA(NIM_ADD, &nid);
    DestroyIcon(icon);
}

void MainDialog::RemoveTrayIcon() {
    NOTIFYICONDATAA nid;
    ZeroMemory(&nid, sizeof nid);
    nid.cbSize = sizeof nid;
    nid.hWnd = hwnd;
    nid.uID = TRAY_ICON_ID;
    Shell_NotifyIconA(NIM_DELETE, &nid);
}

void MainDialog::DestroyDialog() {
    KillTimer(hwnd, TIMER_STATUS);
    KillTimer(hwnd, TIMER_SAVE);
    KillTimer(hwnd, TIMER_SCAN);
    folderWatch.Stop();
    SaveData();
    HotKeyClose();
    WindowSizeSettingsStore();
    if (HotKeyOn()) {
        char program[MAX_PATH] = "";
        GetModuleFileNameU(NULL, program, MAX_PATH);
        InstallDialog::SetRunOnLogon(program);
    } else {
        InstallDialog::DeleteRunOnLogon();
    }
    RemoveTrayIcon();
}

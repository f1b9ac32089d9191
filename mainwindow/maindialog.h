// The main window: books, notes, the note editor, toolbar, tray icon, timers
// and the routing of every command and key.
#ifndef JOTWELL_MAINWINDOW_MAINDIALOG_H
#define JOTWELL_MAINWINDOW_MAINDIALOG_H

#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/ldialog.h"
#include "dialogs/lsplash.h"
#include "notebook/folderwatch.h"
#include "notebook/historykeeper.h"
#include "notebook/notefile.h"
#include "resources/resource.h"
#include "util/lfile.h"
#include "util/textencoding.h"

// Timers of the main window.
const UINT TIMER_STATUS = 1;  // status-bar rotation
const UINT TIMER_SAVE = 2;    // delayed save of the edited note
const UINT TIMER_SCAN = 3;    // scan of the book folder for outside changes
const UINT TIMER_START = 4;   // the rest of the start, once the window has painted

const UINT STATUS_FIRST_DELAY = 500;
const UINT STATUS_PERIOD = 8000;
const UINT SAVE_TEXT_DELAY = 3000;
const UINT SAVE_NAME_DELAY = 5000;
const UINT SAVE_RETRY_DELAY = 10000;  // after a save that failed for longer than:
const UINT SAVE_QUIET_SPAN = 1000;    // a failure is first tried again, silently,
const UINT SAVE_QUICK_RETRY = 250;    // this often
const UINT SAVE_TURN_DELAY = 500;     // after another computer's save held the turn
const UINT SCAN_PERIOD = 20000;
const UINT SCAN_AFTER_BOOK_CHANGE = 3000;
const UINT SCAN_AFTER_FOLDER_CHANGE = 500;  // after the folder's watch told of a change

// szNoteName while nothing is loaded and nothing may be saved: at the start,
// after a delete, and while the selected note's path would not fit.
const char NOTE_NONE[] = "-";

// How the note editor is styled: it takes typing only when editable.
enum EditorState {
    EDITOR_UNSTYLED,
    EDITOR_EDITABLE,
    EDITOR_READ_ONLY,   // a read-only book, or a note not read whole
    EDITOR_NO_NOTE,     // nothing to type into: says how to start a note
};

// Pale yellow behind the note name, as in the box and its colour message.
const COLORREF kNoteNameBackground = 0x00C3FFFF;

class MainDialog : public LToolBarDialog {
public:
    MainDialog();
    ~MainDialog() override;

    // The dialog library's operations.
    void InitDialog() override;
    bool CmOk() override;
    bool CmCancel() override;
    void CmHelp() override;
    void UpdateControls() override;
    void Command(WORD id, WORD notifyCode) override;
    void DestroyDialog() override;
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslateMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Main window (maindialog.cpp, layout.cpp).
    void LayoutControls();
    void FitNotesColumn();  // after the number of notes listed changes
    void OnDpiChanged(int dpi, const RECT& suggested);
    void SetIcons();
    void MakeToolBar();
    void MakeNoteNameFont();
    void FinishStart();
    void UpdateEditItems();
    void EnableNoteItems(HMENU menu);
    void EnableEditItems(HMENU menu);
    void CmClose();
    void CmOpen();
    void CmExit();
    void ShowNextStatusMessage();
    void SetEditorTip(const char* tip);
    void AddTrayIcon();
    void RemoveTrayIcon();

    // Command routing (commands.cpp, keys.cpp).
    void CmNextNote();
    void CmPreviousNote();
    void MoveFocus(bool backwards);
    bool SelectNextField(bool backwards);
    void EnterNoteText(bool fromEnd);
    LONG FindColonBefore(LONG before);
    void SelectFieldAfter(LONG colon);
    void OnTimer(UINT id);
    void ShowPopupMenu(int menuId);
    void ShowNewBookMenu();
    void OpenWebResource(int id);
    void OpenClickedLink(const struct _enlink* link);
    INT_PTR OnNotify(NMHDR* hdr);
    void OnBookSelected();
    void SelectBookOfLoadedNote();

    // Book list (notebook/booklist.cpp).
    void InitFolderList();
    void CreateDefaultBooks();
    bool WantsDefaultDiary();
    void GetCurrentBookFolder(char* out);
    int GetCurrentBookIndex();
    bool UpdateReadOnlyFlag();
    bool BookNameExists(const char* name);
    bool CurrentBookIsDiary();

    // Notes in a book (notebook/notes.cpp).
    void InitItemsList();
    void ItemSelectionChanged();
    bool SaveData();
    bool ConfirmLeaveNote();
    bool SaveRichEditText();
    // Another computer's changes to other lines, taken into the text to
    // save (notemergesave.cpp); the editor then shows the merged note.
    bool MergeOutsideChanges(const char* mine, size_t size, NoteVersion* version,
                             std::string* merged);
    void ShowMergedText(const std::string& merged);
    // A change in the book's folder, told by its watch (commands.cpp).
    void OnFolderChanged();
    bool LoadRichEditText(const char* path, NoteVersion* version);
    void LoadNoteText();
    void ShowNoteUnreadable();
    void ShowNameTooLong(const char* name);
    void CmNoteNew();
    void CmNoteDelete();
    void PastePlainText();
    int FindNoteItem(const char* name);
    void InsertNotesSorted(std::vector<std::string>& names);
    bool RenameNote();
    bool IsKnownNoteTime(LTime onDisk) const;
    // A note file is loaded: its text may be saved.
    bool NoteLoaded() const { return szNoteName[0] && strcmp(szNoteName, NOTE_NONE) != 0; }
    NoteVersion KnownVersion() const;
    void SetKnownVersion(const NoteVersion& version);
    void ListKeptVersion(const char* name);
    void SaveOnTimer();
    void ShowSaveFailure();
    void ShowTurnBlocked();
    int NoteMessageBox(const char* format, UINT type);
    BOOL QueryEndSession();

    // Kept versions and deleted notes (notebook/history.cpp).
    void CmNoteHistory();
    void CmRestoreDeleted();
    bool KeepDeletedNote(const char* path, HistoryEntry* copy);
    void KeepReplacedVersion(const NoteVersion& replaced, const char* keptName);
    void KeepScreenText();
    bool RestoreDeletedNote(const char* folder, const HistoryEntry& entry, char* name);
    void RestoreNoteText(const std::string& bytes);
    void ShowHistoryFailure();

    // External change detection (notebook/scan.cpp).
    void ScanFolders();
    bool RemoveVanishedNotes(const std::vector<int>& vanished,
                             const std::vector<std::string>& items);
    void KeepOrDropDeletedNote();
    void CheckLoadedNoteTime();

    // Book management (notebook/bookmanage.cpp).
    void CmBookNewLocal(bool bDiary);
    void CmBookNew();
    void CmBookRemove();
    void CmBookProperties();
    void CmBookExplore();

    // Global hot key (mainwindow/hotkey.cpp).
    void HotKeyOpen(bool reportFailure = false);
    void HotKeyClose();
    void HotKeyRestart(bool reportFailure = false);
    void CmHotKeyEnable();
    void CmHotKeyChange();

    // Diary (features/diarycommands.cpp).
    void CmDiaryNewEntries(const char* folder);

    // Find (features/find.cpp).
    void CmFind();
    void CmFindNext();
    bool SelectNextOccurrence();
    bool OpenFoundNote();

    // Search All Books (features/search.cpp).
    void CmSearchAll();
    bool OpenSearchResult(int book, const char* note, const char* word, bool matchCase);

    // Printing (features/printing.cpp).
    void CmNotePrint();
    void CmBookPrint();

    HWND NotesList() const { return GetDlgItem(hwnd, IDC_NOTES); }
    HWND NoteText() const { return GetDlgItem(hwnd, IDC_NOTE_TEXT); }
    HWND BookList() const { return GetDlgItem(hwnd, IDC_BOOKS); }

    // Find's position and text, the status line and the loaded note.
    int iFindNoteIndex;
    int iFindCharPos;
    char szFindText[LFILE_PATH];
    bool bFindMatchCase;
    int iStatusMessage;
    HBRUSH hbrNoteName;
    char szNoteName[LFILE_PATH];
    bool bNoteNameChanged;
    bool bNoteTextChanged;
    LSplashScreen splash;
    HWND hwndToolTip;
    bool bReadOnlyBook;
    NoteVersion knownVersion;   // of the loaded note's file: what a save may replace

    // Resources and state this window owns.
    HFONT hfontNoteName;
    HICON hiconLarge;           // the window's icons, drawn for iDpi
    HICON hiconSmall;
    int iDpi;                   // of the monitor the window is on
    UINT uTaskbarCreated;       // the shell's "TaskbarCreated" message
    bool bSaveFailureShown;     // the user was told this note cannot be saved
    bool bSaveFailing;          // the timer's saves fail, since dwSaveFailingSince
    DWORD dwSaveFailingSince;
    bool bNoteUnreadable;       // the loaded note's file could not be read whole
    EditorState iEditorState;   // as the editor was last styled
    TextEncoding iNoteEncoding; // of the loaded note's file, kept when it is saved
    bool bNoteBareLineFeeds;    // its lines end in LF alone, and are saved so
    bool bHotKeyRegistered;
    int iPendingClose;          // CM_CLOSE or CM_EXIT asked for while disabled; 0 none
    bool bControlsMade;         // all controls are made; a resize before then lays nothing out
    SavingTurn savingTurn;      // of the loaded note's folder, with its watch of a turn in the way
    NoteSaveResult iLastSave;   // of the last SaveData
    HistoryKeeper history;      // the user's store of versions and deleted notes
    FolderWatch folderWatch;    // of the current book's folder
    bool bScanSoon;             // a change outside was told: the scan is on its way
    bool bStreamingIn;          // the editor is given a note's text, not typed in
    DWORD dwLastTyped;          // tick of the user's last change of the text
    std::string strNoteBytes;   // the bytes of the loaded note's known version,
    bool bNoteBytesKnown;       // when known: kept when a save replaces them
    unsigned long long ullNoteBytesTime;
    bool bHistoryFailureShown;  // the user was told a version could not be kept
};

#endif

// Notes in a book: listing, loading, saving, renaming, new and deleted notes.
#include "tests/win32/mainfixture.h"

#include <commctrl.h>

#include "app/settings.h"
#include "resources/resource.h"

namespace {

class Notes : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SeedBooks("Other Notes");
    }
};

TEST_F(Notes, ListsTheBooksNotesSortedAndLoadsTheFirst) {
    WriteNote("Other Notes", "beta", "second");
    WriteNote("Other Notes", "Alpha", "first");
    WriteNote("Other Notes", "gamma.2009", "third");
    testkit::WriteFileText(Book("Other Notes") + "\\template._txt", "not a note");
    testkit::WriteFileText(Book("Other Notes") + "\\print.rtf", "not a note");
    Open();
    EXPECT_EQ(ListedNotes(), (std::vector<std::string>{"Alpha", "beta", "gamma.2009"}));
    EXPECT_EQ(SelectedNote(), "Alpha");
    EXPECT_EQ(NoteNameText(), "Alpha");
    EXPECT_EQ(EditorText(), "first");
    char current[SETTINGS_VALUE];
    SettingsGetString("Books", "Current", "", current);
    EXPECT_STREQ(current, "Other Notes");
}

TEST_F(Notes, ReopensTheNoteSelectedLast) {
    WriteNote("Other Notes", "Alpha", "a");
    WriteNote("Other Notes", "Beta", "b");
    SettingsSetString("Settings", "CurrentNote", "beta");
    Open();
    EXPECT_EQ(SelectedNote(), "Beta");
    EXPECT_EQ(EditorText(), "b");
}

TEST_F(Notes, SavesThreeSecondsAfterTypingWithCrLf) {
    WriteNote("Other Notes", "Shopping", "");
    Open();
    TypeInNote("milk\r\nbread");
    EXPECT_TRUE(dialog->bNoteTextChanged);
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "Shopping")), "");
    EXPECT_TRUE(Pump([&] {
        return testkit::ReadFileText(Note("Other Notes", "Shopping")) == "milk\r\nbread";
    }, 8000));
    EXPECT_FALSE(dialog->bNoteTextChanged);
}

TEST_F(Notes, SwitchingNotesSavesTheOneLeft) {
    WriteNote("Other Notes", "A", "one");
    WriteNote("Other Notes", "B", "two");
    Open();
    TypeInNote("x");
    SelectNote("B");
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A")), "xone");
    EXPECT_EQ(EditorText(), "two");
    EXPECT_FALSE(dialog->bNoteTextChanged);
}

TEST_F(Notes, RenamingDropsIllegalCharacters) {
    WriteNote("Other Notes", "Shopping", "milk");
    Open();
    SetDlgItemTextA(dialog->hwnd, IDC_NOTE_NAME, "Shopping: list");
    EXPECT_TRUE(dialog->bNoteNameChanged);
    FireTimer(TIMER_SAVE);
    EXPECT_FALSE(testkit::FileExists(Note("Other Notes", "Shopping")));
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "Shopping list")), "milk");
    EXPECT_EQ(ListedNotes(), std::vector<std::string>{"Shopping list"});
}

TEST_F(Notes, RenamingToAnExistingNoteIsRefusedAndLosesNothing) {
    WriteNote("Other Notes", "A", "text of a");
    WriteNote("Other Notes", "B", "text of b");
    Open();
    TypeInNote("edited ");
    SetDlgItemTextA(dialog->hwnd, IDC_NOTE_NAME, "b");
    responder.Expect("File Exists", IDOK);
    FireTimer(TIMER_SAVE);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(responder.Seen()[0].text,
              "The item cannot be renamed because another item with the same name already "
              "exists. To replace the other item, delete it first then rename this file.");
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A")), "edited text of a");
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "B")), "text of b");
}

TEST_F(Notes, RenamingToOtherLetterCaseWorks) {
    WriteNote("Other Notes", "shopping", "milk");
    Open();
    SetDlgItemTextA(dialog->hwnd, IDC_NOTE_NAME, "Shopping");
    FireTimer(TIMER_SAVE);
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((Book("Other Notes") + "\\*.txt").c_str(), &fd);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(fd.cFileName, "Shopping.txt");
    FindClose(find);
}

TEST_F(Notes, NewNoteTakesTheFirstFreeNumberAndTheTemplate) {
    WriteNote("Other Notes", "New 1", "");
    WriteNote("Other Notes", "New 3", "");
    testkit::WriteFileText(Book("Other Notes") + "\\template._txt", "Name: \r\nPhone: ");
    Open();
    Command(CM_NOTE_NEW);
    EXPECT_EQ(SelectedNote(), "New 2");
    EXPECT_EQ(NoteNameText(), "New 2");
    EXPECT_EQ(EditorText(), "Name: \r\nPhone: ");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog->hwnd, IDC_NOTE_NAME));
    FireTimer(TIMER_SAVE);
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "New 2")), "Name: \r\nPhone: ");
}

// Another computer's "New 1", written since the last scan, is not taken over.
TEST_F(Notes, NewNoteSkipsANameTakenOnDiskButNotYetListed) {
    WriteNote("Other Notes", "A", "a");
    Open();
    WriteNote("Other Notes", "New 1", "theirs");
    Command(CM_NOTE_NEW);
    EXPECT_EQ(SelectedNote(), "New 2");
    FireTimer(TIMER_SAVE);
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "New 1")), "theirs");
}

TEST_F(Notes, SelectingOneNoteClearsEveryOtherSelection) {
    WriteNote("Other Notes", "A", "a");
    WriteNote("Other Notes", "B", "b");
    WriteNote("Other Notes", "C", "c");
    Open();
    HWND list = dialog->NotesList();
    ListView_SetItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
    dialog->LVSelectItem(IDC_NOTES, 1);
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    EXPECT_EQ(ListView_GetItemState(list, 0, both), 0u);
    EXPECT_EQ(ListView_GetItemState(list, 1, both), both);
    EXPECT_EQ(ListView_GetItemState(list, 2, both), 0u);
    EXPECT_EQ(EditorText(), "b");
    dialog->LVSelectItem(IDC_NOTES, 7);  // outside the list: nothing selected
    EXPECT_EQ(ListView_GetSelectedCount(list), 0u);
}

TEST_F(Notes, DeletesEverySelectedNoteAfterOneQuestion) {
    WriteNote("Other Notes", "A", "a");
    WriteNote("Other Notes", "B", "b");
    WriteNote("Other Notes", "C", "c");
    Open();
    HWND list = dialog->NotesList();
    ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    ListView_SetItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
    responder.Expect("Confirm Delete", IDOK);
    Command(CM_NOTE_DELETE);
    EXPECT_EQ(responder.Seen().size(), 1u);
    EXPECT_EQ(responder.Seen()[0].text, "Are you sure you want to delete the selected note(s)?");
    EXPECT_EQ(ListedNotes(), std::vector<std::string>{});
    EXPECT_FALSE(testkit::FileExists(Note("Other Notes", "A")));
    EXPECT_FALSE(testkit::FileExists(Note("Other Notes", "C")));
}

// With nothing selected (a click on the empty part of the list) the loaded
// note is not deleted, and neither are its edits.
TEST_F(Notes, DeleteSavesTheLoadedNoteItDoesNotDelete) {
    WriteNote("Other Notes", "A", "one");
    Open();
    TypeInNote("x");
    ListView_SetItemState(dialog->NotesList(), -1, 0, LVIS_SELECTED);
    responder.Expect("Confirm Delete", IDOK);
    Command(CM_NOTE_DELETE);
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A")), "xone");
}

TEST_F(Notes, ADeleteTheSystemRefusesNamesTheNoteThatStays) {
    WriteNote("Other Notes", "A", "a");
    WriteNote("Other Notes", "B", "b");
    Open();
    HANDLE holder = CreateFileA(Note("Other Notes", "B").c_str(), GENERIC_READ,
                                FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ListView_SetItemState(dialog->NotesList(), 1, LVIS_SELECTED, LVIS_SELECTED);
    responder.Expect("Confirm Delete", IDOK);
    responder.Expect("Jotwell", IDOK);
    Command(CM_NOTE_DELETE);
    ASSERT_TRUE(responder.WaitAllServed());
    CloseHandle(holder);
    EXPECT_EQ(responder.Seen()[1].text.substr(0, 35), "Jotwell cannot delete the note \"B\".");
    EXPECT_EQ(ListedNotes(), std::vector<std::string>{"B"});
}

TEST_F(Notes, ReadOnlyBookLocksTheEditorAndRefusesDelete) {
    WriteNote("Other Notes", "A", "a");
    SettingsSetBool("Books", "Book3ReadOnly", true);
    Open();
    EXPECT_TRUE(dialog->bReadOnlyBook);
    EXPECT_TRUE(GetWindowLongA(dialog->NoteText(), GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(MenuEnabled(CM_NOTE_NEW));
    EXPECT_FALSE(MenuEnabled(CM_NOTE_DELETE));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog->hwnd, IDC_NOTE_NAME)));
    responder.Expect("Read Only", IDOK);
    PressKey(VK_DELETE, true);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(responder.Seen()[0].text,
              "You cannot delete this note because this book is read only!");
    EXPECT_TRUE(testkit::FileExists(Note("Other Notes", "A")));
    PressKey('N', true);  // New Note by its key does nothing either
    EXPECT_EQ(ListedNotes(), std::vector<std::string>{"A"});
}

// Text typed with no note loaded would be saved nowhere: there is nowhere to
// type until Ctrl+N starts a note.
TEST_F(Notes, AnEmptyBookLocksTheEditorAndPointsToNewNote) {
    Open();
    EXPECT_EQ(ListedNotes(), std::vector<std::string>{});
    EXPECT_STREQ(dialog->szNoteName, "");
    EXPECT_TRUE(GetWindowLongA(dialog->NoteText(), GWL_STYLE) & ES_READONLY);
    EXPECT_NE(testkit::ControlText(dialog->hwnd, IDC_STATUS).find("Ctrl+N"), std::string::npos);
    EXPECT_FALSE(MenuEnabled(CM_NOTE_DELETE));
    PressKey('N', true);
    EXPECT_EQ(SelectedNote(), "New 1");
    EXPECT_FALSE(GetWindowLongA(dialog->NoteText(), GWL_STYLE) & ES_READONLY);
}

// A save that cannot be written keeps the text, says so once and tries again.
TEST_F(Notes, FailedSaveKeepsTheTextAndTellsTheUserOnce) {
    WriteNote("Other Notes", "Locked", "old");
    WriteNote("Other Notes", "Other", "other");
    Open();
    HANDLE holder = CreateFileA(Note("Other Notes", "Locked").c_str(), GENERIC_READ,
                                FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    TypeInNote("new ");
    responder.Expect("Jotwell", IDOK);
    FireTimer(TIMER_SAVE);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_NE(responder.Seen()[0].text.find("\"Locked\""), std::string::npos);
    EXPECT_TRUE(dialog->bNoteTextChanged);
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "Locked")), "old");
    TypeInNote("more ");
    FireTimer(TIMER_SAVE);  // no second message for the same note
    EXPECT_EQ(responder.Seen().size(), 1u);

    // Leaving the note asks before anything is dropped; No stays on it.
    responder.Expect("Jotwell", IDNO);
    SelectNote("Other");
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(SelectedNote(), "Locked");
    EXPECT_EQ(EditorText(), "new more old");

    CloseHandle(holder);
    FireTimer(TIMER_SAVE);
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "Locked")), "new more old");
}

// A file another program holds cannot be renamed: the rename waits, like a
// failed save, and is done once the file is free.
TEST_F(Notes, ARenameTheSystemRefusesIsToldOnceAndDoneLater) {
    WriteNote("Other Notes", "Locked", "text");
    Open();
    HANDLE holder = CreateFileA(Note("Other Notes", "Locked").c_str(), GENERIC_READ,
                                FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    SetDlgItemTextA(dialog->hwnd, IDC_NOTE_NAME, "Renamed");
    responder.Expect("Jotwell", IDOK);
    FireTimer(TIMER_SAVE);
    ASSERT_TRUE(responder.WaitAllServed());
    FireTimer(TIMER_SAVE);
    EXPECT_EQ(responder.Seen().size(), 1u);
    CloseHandle(holder);
    FireTimer(TIMER_SAVE);
    EXPECT_EQ(ListedNotes(), std::vector<std::string>{"Renamed"});
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "Renamed")), "text");
}

// The other user's version cannot be kept (the folder leaves no room for
// its name): the save fails like any other instead of overwriting it.
TEST_F(Notes, AVersionThatCannotBeKeptIsNotOverwritten) {
    std::string deep = Book("Other Notes") + "\\" + std::string(215 - Book("Other Notes").size(), 'd');
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), NULL));
    SettingsSetString("Books", "Book3", deep.c_str());
    ASSERT_TRUE(testkit::WriteFileText(deep + "\\A.txt", "mine"));
    Open();
    ASSERT_TRUE(testkit::WriteFileText(deep + "\\A.txt", "the other user's"));
    HANDLE h = CreateFileA((deep + "\\A.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL,
                           OPEN_EXISTING, 0, NULL);
    LTime t = dialog->KnownVersion().time + (1ull << 32);
    FILETIME later = {(DWORD)t, (DWORD)(t >> 32)};
    SetFileTime(h, NULL, NULL, &later);
    CloseHandle(h);
    TypeInNote("edited ");
    responder.Expect("Jotwell", IDOK);
    FireTimer(TIMER_SAVE);
    ASSERT_TRUE(responder.WaitAllServed());
    FireTimer(TIMER_SAVE);  // tried again, no second message
    EXPECT_EQ(responder.Seen().size(), 1u);
    EXPECT_TRUE(dialog->bNoteTextChanged);
    EXPECT_EQ(testkit::ReadFileText(deep + "\\A.txt"), "the other user's");
    responder.Expect("Jotwell", IDYES);  // closing: go on and lose the changes
}

// A note whose file is there but cannot be read is not made editable, and
// nothing is written over it, even after the file is free again.
TEST_F(Notes, ANoteThatCannotBeReadIsLeftAlone) {
    WriteNote("Other Notes", "Locked", "precious text");
    HANDLE holder = CreateFileA(Note("Other Notes", "Locked").c_str(), GENERIC_READ, 0, NULL,
                                OPEN_EXISTING, 0, NULL);
    responder.Expect("Jotwell", IDOK);
    Open();
    ASSERT_TRUE(responder.WaitAllServed());
    std::string message = responder.Seen()[0].text;
    EXPECT_NE(message.find("cannot read the note \"Locked\""), std::string::npos) << message;
    EXPECT_NE(message.find("shown read only"), std::string::npos) << message;
    EXPECT_TRUE(GetWindowLongA(dialog->NoteText(), GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog->hwnd, IDC_NOTE_NAME)));
    CloseHandle(holder);
    TypeInNote("x");
    FireTimer(TIMER_SAVE);
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "Locked")), "precious text");
}

// Another program reading the note just when the save comes (a backup, an
// indexer, a virus scanner) holds the save up for a moment only: it is
// tried again at once, without a word, not after the long retry.
TEST_F(Notes, ASaveRefusedForAMomentIsTriedAgainAtOnce) {
    WriteNote("Other Notes", "A", "old");
    Open();
    HANDLE reader = CreateFileA(Note("Other Notes", "A").c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                OPEN_EXISTING, 0, NULL);
    TypeInNote("new ");
    FireTimer(TIMER_SAVE);
    bool refused = dialog->bNoteTextChanged;  // a rename over an open file fails under Wine
    CloseHandle(reader);
    EXPECT_TRUE(Pump([&] { return testkit::ReadFileText(Note("Other Notes", "A")) == "new old"; },
                     SAVE_RETRY_DELAY / 2))
        << "refused " << refused << "; saved only after the long retry";
    EXPECT_FALSE(dialog->bNoteTextChanged);
}

// The end of the session saves the note, and is refused while it cannot.
TEST_F(Notes, EndOfSessionSavesOrIsRefused) {
    WriteNote("Other Notes", "A", "old");
    Open();
    HANDLE holder = CreateFileA(Note("Other Notes", "A").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                NULL, OPEN_EXISTING, 0, NULL);
    TypeInNote("new ");
    responder.Expect("Jotwell", IDOK);
    EXPECT_EQ(SendMessageA(dialog->hwnd, WM_QUERYENDSESSION, 0, 0), FALSE);
    PumpFor(50);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_NE(responder.Seen()[0].text.find("cannot save the note \"A\""), std::string::npos);
    EXPECT_TRUE(dialog->bNoteTextChanged);
    CloseHandle(holder);
    EXPECT_EQ(SendMessageA(dialog->hwnd, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A")), "new old");
}

// An editor stops at 32,767 characters unless told otherwise. Wine's takes
// any amount whatever its limit, so there the limit itself shows the fault.
TEST_F(Notes, TextPastTheEditorsDefaultLimitIsSavedWhole) {
    WriteNote("Other Notes", "Long", "");
    Open();
    std::string text;
    for (int line = 0; line < 4000; ++line)
        text += "123456789\r\n";  // ten characters in the editor
    TypeInNote(text);
    FireTimer(TIMER_SAVE);
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "Long")).size(), text.size());
    EXPECT_GT(SendMessageA(dialog->NoteText(), EM_GETLIMITTEXT, 0, 0), (LRESULT)text.size());
}

// A name that makes the path too long is refused, never cut to a file
// without ".txt" that would never be listed again.
TEST_F(Notes, ANameTooLongForTheFolderIsRefused) {
    WriteNote("Other Notes", "A", "text");
    Open();
    SetDlgItemTextA(dialog->hwnd, IDC_NOTE_NAME, std::string(250, 'n').c_str());
    responder.Expect("Name Too Long", IDOK);
    FireTimer(TIMER_SAVE);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A")), "text");
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((Book("Other Notes") + "\\*").c_str(), &fd);
    int files = 0;
    do
        files += fd.cFileName[0] != '.';
    while (FindNextFileA(find, &fd));
    FindClose(find);
    EXPECT_EQ(files, 1);
}

TEST_F(Notes, PasteInsertsPlainTextOnly) {
    WriteNote("Other Notes", "A", "");
    Open();
    ASSERT_TRUE(OpenClipboard(dialog->hwnd));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 6);
    memcpy(GlobalLock(mem), "hello", 6);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
    SetFocus(dialog->NoteText());
    PressKey('V', true);
    EXPECT_EQ(EditorText(), "hello");
}

}  // namespace

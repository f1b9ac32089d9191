// Changes made to the book folder from outside: other programs and other
// users of a shared folder.
#include "tests/win32/mainfixture.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>

#include "app/settings.h"
#include "dialogs/lrichedit.h"
#include "resources/resource.h"

namespace {

class ScanTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SeedBooks("Other Notes");
    }
    // Rewrites a note as another program would, with a later time.
    void RewriteFromOutside(const std::string& name, const std::string& text) {
        std::string path = Note("Other Notes", name);
        FILETIME before;
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                               0, NULL);
        GetFileTime(h, NULL, NULL, &before);
        CloseHandle(h);
        ASSERT_TRUE(testkit::WriteFileText(path, text));
        ULARGE_INTEGER t;
        t.LowPart = before.dwLowDateTime;
        t.HighPart = before.dwHighDateTime;
        t.QuadPart += 30000000ull;  // three seconds later
        FILETIME later = {t.LowPart, t.HighPart};
        h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
        SetFileTime(h, NULL, NULL, &later);
        CloseHandle(h);
    }
    void Scan() { FireTimer(TIMER_SCAN); }
    std::vector<std::string> ConflictCopies() {
        std::vector<std::string> names;
        WIN32_FIND_DATAA fd;
        HANDLE find = FindFirstFileA(
            (Book("Other Notes") + "\\*changed by another user*.txt").c_str(), &fd);
        if (find == INVALID_HANDLE_VALUE)
            return names;
        do
            names.push_back(fd.cFileName);
        while (FindNextFileA(find, &fd));
        FindClose(find);
        return names;
    }
};

const char kDeleted[] =
    "Jotwell detected that the current note has been deleted. Do you want to keep it?";
const char kChanged[] =
    "Jotwell detected that the current note has been changed. Do you want to reload it?";

TEST_F(ScanTest, ANoteAddedOutsideAppearsInItsPlace) {
    WriteNote("Other Notes", "Apple", "a");
    WriteNote("Other Notes", "Cherry", "c");
    Open();
    TypeInNote("typing ");
    WriteNote("Other Notes", "banana", "b");
    Scan();
    EXPECT_EQ(ListedNotes(), (std::vector<std::string>{"Apple", "banana", "Cherry"}));
    EXPECT_EQ(SelectedNote(), "Apple");
    EXPECT_EQ(EditorText(), "typing a");
}

TEST_F(ScanTest, NotesDeletedOutsideVanishInOneScan) {
    for (const char* name : {"A", "B", "C", "D"})
        WriteNote("Other Notes", name, name);
    Open();
    DeleteFileA(Note("Other Notes", "B").c_str());
    DeleteFileA(Note("Other Notes", "C").c_str());
    Scan();
    EXPECT_EQ(ListedNotes(), (std::vector<std::string>{"A", "D"}));
    EXPECT_EQ(SelectedNote(), "A");
}

// The added name sorts before the one removed.
TEST_F(ScanTest, ARenameOutsideReplacesJustThatItem) {
    for (const char* name : {"Apple", "Damson", "Fig", "Kiwi"})
        WriteNote("Other Notes", name, name);
    Open();
    ASSERT_TRUE(
        MoveFileA(Note("Other Notes", "Kiwi").c_str(), Note("Other Notes", "Banana").c_str()));
    Scan();
    EXPECT_EQ(ListedNotes(), (std::vector<std::string>{"Apple", "Banana", "Damson", "Fig"}));
}

TEST_F(ScanTest, AReadOnlyBookFollowsTheFolderAndWritesNothing) {
    WriteNote("Other Notes", "A", "mine");
    WriteNote("Other Notes", "B", "b");
    SettingsSetBool("Books", "Book3ReadOnly", true);
    Open();
    RewriteFromOutside("A", "theirs");
    Scan();
    EXPECT_EQ(EditorText(), "theirs");
    DeleteFileA(Note("Other Notes", "A").c_str());
    Scan();
    EXPECT_EQ(ListedNotes(), std::vector<std::string>{"B"});
    FireTimer(TIMER_SAVE);
    EXPECT_FALSE(testkit::FileExists(Note("Other Notes", "A")));
    EXPECT_TRUE(ConflictCopies().empty());
}

TEST_F(ScanTest, TheLoadedNoteDeletedOutsideIsKeptOnYes) {
    WriteNote("Other Notes", "A", "mine");
    WriteNote("Other Notes", "B", "other");
    Open();
    DeleteFileA(Note("Other Notes", "A").c_str());
    responder.Expect("Jotwell", IDYES);
    Scan();
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(responder.Seen()[0].text, kDeleted);
    EXPECT_EQ(ListedNotes(), (std::vector<std::string>{"A", "B"}));
    FireTimer(TIMER_SAVE);
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A")), "mine");
}

TEST_F(ScanTest, TheLoadedNoteDeletedOutsideGoesOnNo) {
    WriteNote("Other Notes", "A", "first");
    WriteNote("Other Notes", "B", "second");
    Open();
    SelectNote("B");
    TypeInNote("unsaved ");
    DeleteFileA(Note("Other Notes", "B").c_str());
    responder.Expect("Jotwell", IDNO);
    Scan();
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(ListedNotes(), std::vector<std::string>{"A"});
    EXPECT_EQ(SelectedNote(), "A");
    EXPECT_EQ(EditorText(), "first");
    EXPECT_FALSE(testkit::FileExists(Note("Other Notes", "B"))) << "a dropped note came back";
}

// Cancel decides nothing: the editor may hold the only copy left.
TEST_F(ScanTest, TheLoadedNoteDeletedOutsideStaysOnCancelAndIsAskedAgain) {
    WriteNote("Other Notes", "A", "mine");
    WriteNote("Other Notes", "B", "other");
    Open();
    DeleteFileA(Note("Other Notes", "A").c_str());
    responder.Expect("Jotwell", IDCANCEL);
    Scan();
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(ListedNotes(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(SelectedNote(), "A");
    EXPECT_EQ(EditorText(), "mine");
    FireTimer(TIMER_SAVE);
    EXPECT_FALSE(testkit::FileExists(Note("Other Notes", "A"))) << "written without a yes";

    responder.Expect("Jotwell", IDCANCEL);
    Scan();
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(responder.Seen().size(), 2u);
    TypeInNote("kept ");
    FireTimer(TIMER_SAVE);
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A")), "kept mine");
}

TEST_F(ScanTest, TheLoadedNoteRewrittenOutsideIsReloadedOnYes) {
    WriteNote("Other Notes", "A", "one two three");
    Open();
    LRichEdit::SetSelection(dialog->NoteText(), 4, 7);
    RewriteFromOutside("A", "ONE TWO THREE FOUR");
    responder.Expect("Jotwell", IDYES);
    Scan();
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(responder.Seen()[0].text, kChanged);
    EXPECT_EQ(EditorText(), "ONE TWO THREE FOUR");
    LONG start = 0, end = 0;
    LRichEdit::GetSelection(dialog->NoteText(), &start, &end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 7);
    Scan();  // asked once only
    EXPECT_EQ(responder.Seen().size(), 1u);
}

TEST_F(ScanTest, NoToAReloadKeepsTheOtherVersionBesideIt) {
    WriteNote("Other Notes", "A", "mine");
    Open();
    RewriteFromOutside("A", "theirs");
    responder.Expect("Jotwell", IDNO);
    Scan();
    ASSERT_TRUE(responder.WaitAllServed());
    FireTimer(TIMER_SAVE);
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A")), "mine");
    std::vector<std::string> copies = ConflictCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(testkit::ReadFileText(Book("Other Notes") + "\\" + copies[0]), "theirs");
}

TEST_F(ScanTest, UnsavedEditsOverAnOutsideChangeLoseNeitherText) {
    WriteNote("Other Notes", "Shopping", "milk");
    Open();
    TypeInNote("bread ");
    RewriteFromOutside("Shopping", "milk, eggs");
    Scan();  // no question while the user has unsaved edits
    FireTimer(TIMER_SAVE);
    EXPECT_TRUE(responder.Seen().empty());
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "Shopping")), "bread milk");
    std::vector<std::string> copies = ConflictCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].substr(0, 35), "Shopping (changed by another user 2");
    EXPECT_EQ(testkit::ReadFileText(Book("Other Notes") + "\\" + copies[0]), "milk, eggs");
    std::vector<std::string> listed = ListedNotes();
    EXPECT_EQ(listed.size(), 2u) << "both versions are listed";
}

// The book's folder is watched: a note added or deleted outside shows about
// half a second later, not at the next 20-s look; while the user types, the
// scan waits for the look as it always did.
TEST_F(ScanTest, NotesAddedOrDeletedOutsideShowAtOnce) {
    WriteNote("Other Notes", "Apple", "a");
    WriteNote("Other Notes", "Cherry", "c");
    Open();
    ASSERT_TRUE(dialog->folderWatch.Watching());
    auto listed = [&](const char* name) {
        std::vector<std::string> names = ListedNotes();
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    WriteNote("Other Notes", "Banana", "b");
    EXPECT_TRUE(Pump([&] { return listed("Banana"); }, SCAN_PERIOD / 4));
    ASSERT_TRUE(DeleteFileA(Note("Other Notes", "Cherry").c_str()));
    EXPECT_TRUE(Pump([&] { return !listed("Cherry"); }, SCAN_PERIOD / 4));

    TypeInNote("typing ");
    WriteNote("Other Notes", "Date", "d");
    PumpFor(2000);
    EXPECT_FALSE(listed("Date")) << "scanned while the user types";
}

// Another computer changed another line before the save: both changes are
// in the note, with no question and no copy beside it; the editor shows the
// merged note with the caret where it was, the status bar says so, and both
// sides' texts are in the note's history.
TEST_F(ScanTest, EditsOfOtherLinesFromAnotherComputerAreMerged) {
    WriteNote("Other Notes", "A", "one\r\ntwo\r\nthree\r\nfour\r\nfive");
    Open();
    SendMessageA(dialog->NoteText(), EM_SETSEL, -1, -1);
    TypeInNote(" mine");
    RewriteFromOutside("A", "ONE\r\ntwo\r\nthree\r\nfour\r\nfive");
    Scan();
    FireTimer(TIMER_SAVE);
    const std::string merged = "ONE\r\ntwo\r\nthree\r\nfour\r\nfive mine";
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A")), merged);
    EXPECT_TRUE(ConflictCopies().empty());
    EXPECT_EQ(ListedNotes().size(), 1u);
    EXPECT_EQ(EditorText(), merged);
    EXPECT_FALSE(dialog->bNoteTextChanged);
    LONG start = 0, end = 0;
    LRichEdit::GetSelection(dialog->NoteText(), &start, &end);
    GETTEXTLENGTHEX length = {GTL_NUMCHARS | GTL_PRECISE, 1200};
    EXPECT_EQ(start, (LONG)SendMessageW(dialog->NoteText(), EM_GETTEXTLENGTHEX, (WPARAM)&length, 0))
        << "the caret stays after the typed text";
    EXPECT_NE(testkit::ControlText(dialog->hwnd, IDC_STATUS).find("merged"), std::string::npos);

    ASSERT_TRUE(dialog->history.WaitIdle(10000));
    std::vector<std::string> kept;
    for (const HistoryEntry& entry : dialog->history.store.Versions(Note("Other Notes", "A").c_str())) {
        NoteFileText file;
        if (dialog->history.store.Read(entry, &file))
            kept.push_back(std::string(file.data ? file.data : "", file.size));
    }
    EXPECT_NE(std::find(kept.begin(), kept.end(), "ONE\r\ntwo\r\nthree\r\nfour\r\nfive"), kept.end());
    EXPECT_NE(std::find(kept.begin(), kept.end(), "one\r\ntwo\r\nthree\r\nfour\r\nfive mine"), kept.end());
}

// The other version cannot be replaced (held open): each retry only
// retries the save, and the one copy of it stays the only one.
TEST_F(ScanTest, ASaveThatKeepsFailingKeepsTheOtherVersionOnce) {
    WriteNote("Other Notes", "A", "mine");
    Open();
    RewriteFromOutside("A", "theirs");
    HANDLE holder = CreateFileA(Note("Other Notes", "A").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                NULL, OPEN_EXISTING, 0, NULL);
    TypeInNote("edited ");
    responder.Expect("Jotwell", IDOK);
    for (int retry = 0; retry < 4; ++retry)
        FireTimer(TIMER_SAVE);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(ConflictCopies().size(), 1u);
    CloseHandle(holder);
    FireTimer(TIMER_SAVE);
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A")), "edited mine");
    std::vector<std::string> copies = ConflictCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(testkit::ReadFileText(Book("Other Notes") + "\\" + copies[0]), "theirs");
}

TEST_F(ScanTest, AFolderOutOfReachRemovesNothing) {
    WriteNote("Other Notes", "A", "a");
    WriteNote("Other Notes", "B", "b");
    Open();
    std::string away = books.path() + "\\away";
    ASSERT_TRUE(MoveFileA(Book("Other Notes").c_str(), away.c_str()));
    Scan();
    EXPECT_EQ(ListedNotes(), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(responder.Seen().empty());
    MoveFileA(away.c_str(), Book("Other Notes").c_str());
}

TEST_F(ScanTest, ALockedNoteIsLeftAloneUntilItsTimeCanBeRead) {
    WriteNote("Other Notes", "A", "a");
    Open();
    RewriteFromOutside("A", "changed");
    HANDLE holder = CreateFileA(Note("Other Notes", "A").c_str(), GENERIC_READ, 0, NULL,
                                OPEN_EXISTING, 0, NULL);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    Scan();
    EXPECT_TRUE(responder.Seen().empty());
    EXPECT_FALSE(dialog->bNoteTextChanged);
    CloseHandle(holder);
    responder.Expect("Jotwell", IDYES);
    Scan();
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(EditorText(), "changed");
}

TEST_F(ScanTest, SwitchingBooksScansSoonAfter) {
    WriteNote("Other Notes", "A", "a");
    Open();
    SelectBook("PhoneBook");
    SelectBook("Other Notes");
    WriteNote("Other Notes", "B", "b");
    // The next scan comes three seconds after the change of book.
    EXPECT_TRUE(Pump([&] { return ListedNotes().size() == 2; }, 6000));
}

}  // namespace

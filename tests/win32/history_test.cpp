// Deleted notes and earlier versions kept in the user's history store, and
// the two windows that bring them back.
#include "tests/win32/mainfixture.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>

#include "app/settings.h"
#include "resources/resource.h"

namespace {

const unsigned long long kMinute = 60ull * 10000000ull;
const unsigned long long kDay = 24 * 60 * kMinute;

class History : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SeedBooks("Other Notes");
    }
    HistoryStore& Store() { return dialog->history.store; }
    // The texts of the note's kept versions, newest first.
    std::vector<std::string> Versions(const std::string& name) {
        EXPECT_TRUE(dialog->history.WaitIdle(10000));
        std::vector<std::string> texts;
        for (const HistoryEntry& e : Store().Versions(Note("Other Notes", name).c_str()))
            texts.push_back(testkit::ReadFileText(e.dataPath));
        return texts;
    }
    void SaveTyped(const std::string& text) {
        TypeInNote(text);
        FireTimer(TIMER_SAVE);
    }
    void DeleteSelected() {
        responder.Expect("Confirm Delete", IDOK);
        Command(CM_NOTE_DELETE);
    }
    // Restores the deleted notes listed at the given rows; first is checked
    // against the first line shown of row 0.
    void RestoreDeleted(std::vector<int> rows, const std::string& first) {
        responder.Expect("Restore Deleted Notes", [=](HWND w) {
            HWND list = GetDlgItem(w, IDC_DELETED_LIST);
            char text[LFILE_PATH] = "";
            ListView_GetItemText(list, 0, 2, text, LFILE_PATH);
            EXPECT_EQ(std::string(text), first);
            ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
            for (int row : rows)
                ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
            testkit::PressButton(w, IDOK);
        });
        Command(CM_RESTORE_DELETED);
        ASSERT_TRUE(responder.WaitAllServed());
    }
    std::vector<std::string> BookFiles(const char* book) {
        std::vector<std::string> names;
        WIN32_FIND_DATAA fd;
        HANDLE find = FindFirstFileA((Book(book) + "\\*").c_str(), &fd);
        do
            if (fd.cFileName[0] != '.')
                names.push_back(fd.cFileName);
        while (find != INVALID_HANDLE_VALUE && FindNextFileA(find, &fd));
        FindClose(find);
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(History, TheStoreIsInTheUsersLocalApplicationData) {
    char local[MAX_PATH], root[LFILE_PATH];
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(NULL, CSIDL_LOCAL_APPDATA, NULL, 0, local)));
    ASSERT_TRUE(HistoryStoreRoot(root));
    EXPECT_EQ(std::string(root), std::string(local) + "\\Korvane\\Jotwell");
}

TEST_F(History, ADeletedNoteComesBackUnderItsNameOrARestoredOne) {
    WriteNote("Other Notes", "A", "apple\r\npie");
    WriteNote("Other Notes", "B", "b");
    Open();
    DeleteSelected();
    EXPECT_FALSE(testkit::FileExists(Note("Other Notes", "A")));
    RestoreDeleted({0}, "apple");
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A")), "apple\r\npie");
    EXPECT_EQ(SelectedNote(), "A");

    // Deleted again, and its name taken meanwhile: nothing is overwritten.
    DeleteSelected();
    WriteNote("Other Notes", "A", "another a");
    RestoreDeleted({0}, "apple");
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A")), "another a");
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A (restored)")), "apple\r\npie");
    EXPECT_EQ(SelectedNote(), "A (restored)");
    EXPECT_TRUE(Store().Deleted(Book("Other Notes").c_str()).empty());
}

TEST_F(History, AVersionIsKeptWhenTheNewestIsFiveMinutesOld) {
    WriteNote("Other Notes", "N", "v0");
    Open();
    SaveTyped("a");  // the first save keeps what it replaces
    SaveTyped("b");
    Store().llClockShift += 5 * kMinute;
    SaveTyped("c");
    EXPECT_EQ(Versions("N"), (std::vector<std::string>{"abv0", "v0"}));
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "N")), "abcv0");
}

TEST_F(History, ARestoredVersionIsAnEditThatUndoTakesBack) {
    WriteNote("Other Notes", "N", "first");
    Open();
    SaveTyped("x");
    ASSERT_TRUE(OpenClipboard(dialog->hwnd));
    EmptyClipboard();
    CloseClipboard();
    responder.Expect("Note History", [](HWND w) {
        EXPECT_EQ(ListView_GetItemCount(GetDlgItem(w, IDC_HISTORY_LIST)), 1);
        EXPECT_EQ(testkit::ControlText(w, IDC_HISTORY_TEXT), "first");
        testkit::PressButton(w, IDC_HISTORY_COPY);
        testkit::PressButton(w, IDOK);
    });
    Command(CM_NOTE_HISTORY);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(EditorText(), "first");
    ASSERT_TRUE(OpenClipboard(dialog->hwnd));
    HANDLE copied = GetClipboardData(CF_UNICODETEXT);
    EXPECT_EQ(copied ? std::wstring((const WCHAR*)GlobalLock(copied)) : L"", L"first");
    if (copied)
        GlobalUnlock(copied);
    CloseClipboard();

    FireTimer(TIMER_SAVE);
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "N")), "first");
    SetFocus(dialog->NoteText());
    PressKey('Z', true);
    EXPECT_EQ(EditorText(), "xfirst");
}

TEST_F(History, TheTextOnScreenIsKeptBeforeAReload) {
    WriteNote("Other Notes", "N", "mine");
    Open();
    std::string path = Note("Other Notes", "N");
    ASSERT_TRUE(testkit::WriteFileText(path, "theirs"));
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    FILETIME later;
    GetSystemTimeAsFileTime(&later);
    later.dwHighDateTime += 1;  // a few minutes on: another computer's save
    SetFileTime(h, NULL, NULL, &later);
    CloseHandle(h);
    responder.Expect("Jotwell", IDYES);
    FireTimer(TIMER_SCAN);
    EXPECT_EQ(EditorText(), "theirs");
    EXPECT_EQ(Versions("N"), std::vector<std::string>{"mine"});
}

TEST_F(History, NothingIsWrittenIntoTheBookButItsNotes) {
    WriteNote("Other Notes", "A", "a");
    WriteNote("Other Notes", "B", "b");
    Open();
    SaveTyped("edit ");
    DeleteSelected();
    EXPECT_EQ(BookFiles("Other Notes"), std::vector<std::string>{"B.txt"});
    EXPECT_EQ(Versions("A"), std::vector<std::string>{"a"});
    EXPECT_EQ(Store().Deleted(Book("Other Notes").c_str()).size(), 1u);
}

TEST_F(History, AReadOnlyBookOffersNoRestore) {
    WriteNote("Other Notes", "A", "a");
    HistoryStore seed;
    lstrcpynA(seed.szRoot, store.path().c_str(), LFILE_PATH);
    std::string note = Note("Other Notes", "A");
    ASSERT_TRUE(seed.Keep(HISTORY_VERSION, note.c_str(), "old", 3, seed.Now(), 0));
    SettingsSetBool("Books", "Book3ReadOnly", true);
    Open();
    std::vector<std::string> before = BookFiles("Other Notes");
    EXPECT_FALSE(MenuEnabled(CM_RESTORE_DELETED));
    EXPECT_TRUE(MenuEnabled(CM_NOTE_HISTORY));
    responder.Expect("Note History", [](HWND w) {
        EXPECT_EQ(testkit::ControlText(w, IDC_HISTORY_TEXT), "old");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(w, IDOK)));
        testkit::PressButton(w, IDCANCEL);
    });
    Command(CM_NOTE_HISTORY);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(BookFiles("Other Notes"), before);
}

// Said once in the status bar; the save and the note are as without a store.
TEST_F(History, AStoreThatCannotBeWrittenStopsADeleteButNoSave) {
    WriteNote("Other Notes", "A", "a");
    Open();
    ASSERT_TRUE(testkit::WriteFileText(store.File("file"), ""));
    lstrcpynA(Store().szRoot, store.File("file\\store").c_str(), LFILE_PATH);
    SaveTyped("b");
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A")), "ba");
    EXPECT_TRUE(Pump([&] {
        return testkit::ControlText(dialog->hwnd, IDC_STATUS).find("could not keep") !=
               std::string::npos;
    }));
    responder.Expect("Confirm Delete", IDOK);
    responder.Expect("Jotwell", IDOK);
    Command(CM_NOTE_DELETE);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(responder.Seen()[1].text.substr(0, 50),
              "Jotwell cannot delete the note \"A\": a copy of it c");
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A")), "ba");
}

// Old entries go by age, then the oldest until the rest fit; only once the
// window is up, never while it is made.
TEST_F(History, TheStoreIsCutBackToItsBoundsAfterTheStart) {
    std::string note = Note("Other Notes", "N");
    HistoryStore seed;
    lstrcpynA(seed.szRoot, store.path().c_str(), LFILE_PATH);
    std::string big(1100 * 1024, 'x');
    unsigned long long now = seed.Now();
    ASSERT_TRUE(seed.Keep(HISTORY_VERSION, note.c_str(), "old", 3, now - 31 * kDay, 0));
    ASSERT_TRUE(seed.Keep(HISTORY_VERSION, note.c_str(), big.data(), big.size(), now - 2 * kDay, 0));
    ASSERT_TRUE(seed.Keep(HISTORY_DELETED, note.c_str(), "newest", 6, now - kDay, 0));
    SettingsSetInt("History", "MaxMegabytes", 1);
    WriteNote("Other Notes", "N", "n");

    dialog.reset(new MainDialog);
    lstrcpynA(Store().szRoot, store.path().c_str(), LFILE_PATH);
    ASSERT_TRUE(dialog->Create(NULL, MAKEINTRESOURCEA(IDD_MAIN)));
    EXPECT_EQ(seed.Versions(note.c_str()).size(), 2u);
    PumpFor(100);
    ASSERT_TRUE(dialog->history.WaitIdle(10000));
    EXPECT_TRUE(seed.Versions(note.c_str()).empty());
    EXPECT_EQ(seed.Deleted(Book("Other Notes").c_str()).size(), 1u);
}

}  // namespace

namespace {

// A save gives up its bytes only for a version to be kept; it gets back the
// buffer of one kept earlier, so the next copy needs no new memory.
TEST(HistoryKeeperBytes, TakenOnlyWhenKeptAndGivenBackForTheNext) {
    testkit::TempDir dir;
    HistoryKeeper keeper;
    lstrcpynA(keeper.store.szRoot, dir.File("store").c_str(), LFILE_PATH);
    std::string note = dir.File("A.txt");
    std::string bytes(300000, 'a');
    keeper.KeepVersion(note.c_str(), &bytes, 1, false);
    EXPECT_TRUE(bytes.empty()) << "the first version of a note is kept";
    ASSERT_TRUE(keeper.WaitIdle(10000));

    bytes.assign(300000, 'b');
    keeper.KeepVersion(note.c_str(), &bytes, 2, false);
    EXPECT_EQ(bytes.size(), 300000u) << "within five minutes nothing is kept or taken";

    keeper.store.llClockShift += 6 * kMinute;
    keeper.KeepVersion(note.c_str(), &bytes, 2, false);
    EXPECT_TRUE(bytes.empty());
    EXPECT_GE(bytes.capacity(), 300000u) << "the first version's buffer came back";
    ASSERT_TRUE(keeper.WaitIdle(10000));
    EXPECT_EQ(keeper.store.Versions(note.c_str()).size(), 2u);
}

}  // namespace

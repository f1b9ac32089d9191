// Search All Books: the window a user types into, the notes it lists from
// every book, the note Enter opens, changes from outside while it is open,
// and its worker when the window closes.
#include "tests/win32/mainfixture.h"

#include <commctrl.h>

#include "app/settings.h"
#include "dialogs/lrichedit.h"
#include "features/searchdialog.h"
#include "resources/resource.h"
#include "util/lwide.h"

namespace {

typedef std::vector<std::string> Row;

class Search : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SeedBooks("Other Notes");
    }
};

std::string Status(HWND window) {
    return testkit::ControlText(window, IDC_SEARCH_STATUS);
}

// Types text as a user does, and waits for the answer to it.
bool Type(HWND window, const wchar_t* text) {
    std::string before = Status(window);
    SetDlgItemTextW(window, IDC_SEARCH_TEXT, text);
    for (int i = 0; i < 500; ++i) {
        std::string status = Status(window);
        if (status.find(" in ") != std::string::npos && status != before)
            return true;
        Sleep(20);
    }
    return false;
}

std::vector<Row> Rows(HWND window) {
    HWND list = GetDlgItem(window, IDC_SEARCH_RESULTS);
    std::vector<Row> rows;
    int count = (int)SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        Row row;
        for (int column = 0; column < 3; ++column) {
            wchar_t text[512] = L"";
            LVITEMW item = {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = 512;
            SendMessageW(list, LVM_GETITEMTEXTW, i, (LPARAM)&item);
            row.push_back(LNarrow(text));
        }
        rows.push_back(row);
    }
    return rows;
}

// Three books, one read only; notes in the code page, in UTF-8 and in
// UTF-16. A name that holds the words comes before texts that hold them.
TEST_F(Search, TypedTextFindsNotesInEveryBookAndEnterOpensOne) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "a note is in code page 1252";
    WriteNote("PhoneBook", "Anna", "Anna M\xFCller\r\nlives in Z\xFCrich");
    WriteNote("Useful Web Links", "Trains", "\xEF\xBB\xBFTimetable\r\nBern \xE2\x80\x93 Z\xC3\xBCrich");
    WriteNote("Other Notes", "Zurich trip", "Friday: buy milk");
    WriteNote("Other Notes", "Shopping", "milk\r\nbread on friday");
    SettingsSetBool("Books", "Book3ReadOnly", true);
    Open();
    std::vector<Row> zurich, milk;
    responder.Expect("Search", [&](HWND w) {
        EXPECT_TRUE(Type(w, L"Z\u00DCRICH"));
        zurich = Rows(w);
        EXPECT_EQ(Status(w), "2 notes in 2 books");
        EXPECT_TRUE(Type(w, L"milk friday"));
        milk = Rows(w);
        SendMessageW(GetDlgItem(w, IDC_SEARCH_TEXT), WM_KEYDOWN, VK_DOWN, 0);
        testkit::PressButton(w, IDOK);
    });
    Command(CM_SEARCH_ALL);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(zurich, (std::vector<Row>{{"Anna", "PhoneBook", "lives in Z\xC3\xBCrich"},
                                        {"Trains", "Useful Web Links", "Bern \xE2\x80\x93 Z\xC3\xBCrich"}}));
    EXPECT_EQ(milk, (std::vector<Row>{{"Shopping", "Other Notes", "milk"},
                                      {"Zurich trip", "Other Notes", "Friday: buy milk"}}));
    // The second row: the trip, in its book, with the first word found selected.
    EXPECT_EQ(BookListText(), "Other Notes");
    EXPECT_EQ(SelectedNote(), "Zurich trip");
    LONG start = 0, end = 0;
    LRichEdit::GetSelection(dialog->NoteText(), &start, &end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(0L, 6L)) << "\"Friday\"";
}

TEST_F(Search, ANoteAddedOutsideAppearsAfterALook) {
    WriteNote("Other Notes", "A", "apples");
    Open();
    responder.Expect("Search", IDCANCEL);
    PressKey('F', true, true);
    ASSERT_TRUE(responder.WaitAllServed()) << "Ctrl+Shift+F opens the window";
    std::vector<Row> before, after;
    responder.Expect("Search", [&](HWND w) {
        EXPECT_TRUE(Type(w, L"pears"));
        before = Rows(w);
        WriteNote("PhoneBook", "B", "pears");
        PostMessageW(w, WM_TIMER, 1, 0);  // the window's look for changes
        for (int i = 0; i < 500 && Rows(w).empty(); ++i)
            Sleep(20);
        after = Rows(w);
        testkit::PressButton(w, IDCANCEL);
    });
    Command(CM_SEARCH_ALL);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_TRUE(before.empty());
    EXPECT_EQ(after, (std::vector<Row>{{"B", "PhoneBook", "pears"}}));
    EXPECT_EQ(SelectedNote(), "A") << "Close opens nothing";
}

bool ThreadEnded(DWORD id) {
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id);
    if (!thread)
        return true;
    bool ended = WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
    CloseHandle(thread);
    return ended;
}

// Closed while the notes are still being read, the window ends its worker
// before it is gone.
TEST_F(Search, ClosingDuringTheFirstReadingEndsTheWorker) {
    std::string text(2000, 'x');
    for (int i = 0; i < 3000; ++i)
        WriteNote("Other Notes", "Note " + std::to_string(i), text);
    std::vector<SearchBook> books = {{Book("Other Notes"), "Other Notes"}};
    SearchDialog search(books);
    std::string status;
    DWORD worker = 0;
    responder.Expect("Search", [&](HWND w) {
        for (int i = 0; i < 500 && Status(w).compare(0, 8, "Reading ") != 0; ++i)
            Sleep(5);
        status = Status(w);
        worker = search.engine.WorkerId();
        testkit::PressButton(w, IDCANCEL);
    });
    EXPECT_FALSE(search.RunModal(NULL, MAKEINTRESOURCEA(IDD_SEARCH)));
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(status.substr(0, 8), "Reading ") << "closed after the reading";
    ASSERT_NE(worker, 0u);
    EXPECT_TRUE(ThreadEnded(worker));
}

}  // namespace

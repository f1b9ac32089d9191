// Adding, removing and configuring books.
#include "tests/win32/mainfixture.h"

#include "app/settings.h"
#include "notebook/bookpropertiesdialog.h"
#include "resources/resource.h"

namespace {

class Books : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SeedBooks("Other Notes");
        SettingsSetString("Folders", "DataFiles", books.path().c_str());
    }
    // Answers the name prompt with text and OK.
    void AnswerName(const char* caption, const std::string& text) {
        responder.Expect(caption, [text](HWND window) {
            SendMessageA(GetDlgItem(window, 100), WM_SETTEXT, 0, (LPARAM)text.c_str());
            testkit::PressButton(window, IDOK);
        });
    }
    std::string Value(const char* name) {
        char value[SETTINGS_VALUE];
        SettingsGetString("Books", name, "(none)", value);
        return value;
    }
};

TEST_F(Books, ANewBookDropsTheDotAndBecomesCurrent) {
    Open();
    AnswerName("Enter Book Name", "My.Ideas");
    Command(CM_BOOK_NEW_LOCAL);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(BookListText(), "MyIdeas");
    EXPECT_TRUE(GetWindowLongA(dialog->NoteText(), GWL_STYLE) & ES_READONLY) << "no note yet";
    EXPECT_EQ(Value("Count"), "4");
    EXPECT_EQ(Value("Book4"), books.path() + "\\MyIdeas");
    EXPECT_EQ(Value("Book4Type"), "(none)");
    EXPECT_TRUE(testkit::FileExists(books.path() + "\\MyIdeas"));
}

TEST_F(Books, ADuplicateNameIsRefusedAndAskedAgain) {
    Open();
    AnswerName("Enter Book Name", "other notes");
    responder.Expect("Book Name Exists", IDOK);
    responder.Expect("Enter Book Name", [](HWND window) {
        EXPECT_EQ(testkit::ControlText(window, 100), "other notes") << "the refused text again";
        testkit::PressButton(window, IDCANCEL);
    });
    Command(CM_BOOK_NEW_LOCAL);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(responder.Seen()[1].text,
              "The book cannot be created because another book with the same name already "
              "exists. Please try another name.");
    EXPECT_EQ(Value("Count"), "3");
}

TEST_F(Books, ANameWithNothingLegalIsRefused) {
    Open();
    AnswerName("Enter Book Name", "...");
    responder.Expect("Name Invalid", IDOK);
    responder.Expect("Enter Book Name", IDCANCEL);
    Command(CM_BOOK_NEW_LOCAL);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(responder.Seen()[1].text, "The name must contain text.");
    EXPECT_EQ(Value("Count"), "3");
}

TEST_F(Books, ANewDiaryGetsItsWeekNote) {
    Open();
    AnswerName("Enter Diary Name", "Work Diary");
    responder.Expect("Diary Properties", IDOK);
    Command(CM_BOOK_NEW_LOCAL_DIARY);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(BookListText(), "Work Diary");
    EXPECT_EQ(Value("Book4Type"), "Diary");
    EXPECT_EQ(ListedNotes().size(), 1u);
}

TEST_F(Books, RemovingPositionTwoRenumbersTheRest) {
    std::string diary = books.path() + "\\Diary";
    CreateDirectoryA(diary.c_str(), NULL);
    SettingsSetString("Books", "Book4", diary.c_str());
    SettingsSetString("Books", "Book4Type", "Diary");
    SettingsSetBool("Books", "Book3ReadOnly", true);
    SettingsSetInt("Books", "Count", 4);
    Open();
    SelectBook("Useful Web Links");
    responder.Expect("Confirm Remove Book", IDOK);
    Command(CM_BOOK_REMOVE);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(responder.Seen()[0].text,
              "Are you sure you want to remove the book \"Useful Web Links\" from your list?");
    EXPECT_EQ(Value("Count"), "3");
    EXPECT_EQ(Value("Book2"), Book("Other Notes"));
    EXPECT_EQ(Value("Book2ReadOnly"), "1");
    EXPECT_EQ(Value("Book2Type"), "(none)");
    EXPECT_EQ(Value("Book3"), diary);
    EXPECT_EQ(Value("Book3Type"), "Diary");
    EXPECT_EQ(Value("Book3ReadOnly"), "0");
    EXPECT_EQ(Value("Book4"), "(none)");
    EXPECT_EQ(Value("Book4Type"), "(none)");
    EXPECT_TRUE(testkit::FileExists(Book("Useful Web Links"))) << "the folder stays on disk";
}

TEST_F(Books, RemovingTheOnlyBookBringsBackTheDefaults) {
    SettingsSetInt("Books", "Count", 1);
    for (const char* name : {"PhoneBook", "Useful Web Links", "Other Notes"})
        SettingsSetString("Folders", name, Book(name).c_str());
    Open();
    responder.Expect("Confirm Remove Book", IDOK);
    responder.Expect("Create Diary", IDNO);
    Command(CM_BOOK_REMOVE);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(Value("Count"), "3");
    EXPECT_EQ(SendMessageA(dialog->BookList(), CB_GETCOUNT, 0, 0), 3);
}

TEST_F(Books, PropertiesSaveTheFlagAndTheTemplateWithBlanksAfterColons) {
    Open();
    responder.Expect("Book Properties", [](HWND window) {
        EXPECT_EQ(testkit::ControlText(window, 105), "");
        SendMessageA(GetDlgItem(window, 105), WM_SETTEXT, 0,
                     (LPARAM) "Name:\r\nPhone:\r\nkeep a:b\r\nLast:");
        SendMessageA(GetDlgItem(window, 103), BM_CLICK, 0, 0);
        testkit::PressButton(window, IDOK);
    });
    Command(CM_BOOK_PROPERTIES);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(testkit::ReadFileText(Book("Other Notes") + "\\template._txt"),
              "Name: \r\nPhone: \r\nkeep a:b\r\nLast: ");
    EXPECT_EQ(Value("Book3ReadOnly"), "1");
    EXPECT_TRUE(dialog->bReadOnlyBook);
}

TEST_F(Books, ADiaryBookUsesNoTemplate) {
    std::string diary = books.path() + "\\Diary";
    CreateDirectoryA(diary.c_str(), NULL);
    SettingsSetString("Books", "Book4", diary.c_str());
    SettingsSetString("Books", "Book4Type", "Diary");
    SettingsSetInt("Books", "Count", 4);
    SettingsSetString("Books", "Current", "Diary");
    Open();
    responder.Expect("Book Properties", [](HWND window) {
        EXPECT_EQ(testkit::ControlText(window, 105), "Diary does not use templates");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, 105)));
        testkit::PressButton(window, IDCANCEL);
    });
    Command(CM_BOOK_PROPERTIES);
    ASSERT_TRUE(responder.WaitAllServed());
}

// OK writes the template only when its text was changed: a template larger
// than a note's read limit, or one the box cannot hold whole, stays byte for
// byte, and a diary gets no placeholder written as its template.
TEST_F(Books, PropertiesWriteNoTemplateThatWasNotChanged) {
    std::string big, withZero("Name:\0hidden", 12);
    while (big.size() < 70000)
        big += "Name: Phone: Address: Birthday: Notes about this person\r\n";
    std::string path = Book("Other Notes") + "\\template._txt";
    ASSERT_TRUE(testkit::WriteFileText(path, big));
    ASSERT_TRUE(testkit::WriteFileText(Book("PhoneBook") + "\\template._txt", withZero));
    std::string diary = books.path() + "\\Diary";
    CreateDirectoryA(diary.c_str(), NULL);
    SettingsSetString("Books", "Book4", diary.c_str());
    SettingsSetString("Books", "Book4Type", "Diary");
    SettingsSetInt("Books", "Count", 4);
    Open();
    for (const char* book : {"Other Notes", "PhoneBook", "Diary"}) {
        SelectBook(book);
        responder.Expect("Book Properties", IDOK);
        Command(CM_BOOK_PROPERTIES);
        ASSERT_TRUE(responder.WaitAllServed()) << book;
    }
    EXPECT_EQ(testkit::ReadFileText(path), big);
    EXPECT_EQ(testkit::ReadFileText(Book("PhoneBook") + "\\template._txt"), withZero);
    EXPECT_FALSE(testkit::FileExists(diary + "\\template._txt"));
}

// The template box holds text in any language; a template the code page
// cannot hold is saved in UTF-8, one it can stays in the code page.
TEST_F(Books, TheTemplateTakesTextInAnyLanguage) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the template is written in code page 1252";
    Open();
    auto save = [this](const wchar_t* text) {
        responder.Expect("Book Properties", [text](HWND window) {
            SetDlgItemTextW(window, 105, text);
            testkit::PressButton(window, IDOK);
        });
        Command(CM_BOOK_PROPERTIES);
        EXPECT_TRUE(responder.WaitAllServed());
        return testkit::ReadFileText(Book("Other Notes") + "\\template._txt");
    };
    EXPECT_EQ(save(L"Stra\u00DFe:"), "Stra\xDF" "e: ");
    EXPECT_EQ(save(L"Stra\u00DFe: \r\n\u540D\u524D:"),
              "\xEF\xBB\xBFStra\xC3\x9F" "e: \r\n\xE5\x90\x8D\xE5\x89\x8D: ");
}

// A read-only book's template can be changed only once the book is made
// writable in the same window.
TEST_F(Books, AReadOnlyBooksTemplateIsLockedUntilUnticked) {
    SettingsSetBool("Books", "Book3ReadOnly", true);
    Open();
    responder.Expect("Book Properties", [](HWND window) {
        HWND box = GetDlgItem(window, 105);
        EXPECT_TRUE(GetWindowLongA(box, GWL_STYLE) & ES_READONLY);
        SendMessageA(GetDlgItem(window, 103), BM_CLICK, 0, 0);
        EXPECT_FALSE(GetWindowLongA(box, GWL_STYLE) & ES_READONLY);
        testkit::PressButton(window, IDCANCEL);
    });
    Command(CM_BOOK_PROPERTIES);
    ASSERT_TRUE(responder.WaitAllServed());
}

// A template that cannot be written is told, and the window stays open
// with the text typed.
TEST_F(Books, ATemplateThatCannotBeWrittenIsToldAndTheWindowStays) {
    std::string path = Book("Other Notes") + "\\template._txt";
    ASSERT_TRUE(testkit::WriteFileText(path, "old"));
    Open();
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                0, NULL);
    std::string message;
    bool stayed = false;
    responder.Expect("Book Properties", [&](HWND window) {
        SendMessageA(GetDlgItem(window, 105), WM_SETTEXT, 0, (LPARAM) "new");
        testkit::PressButton(window, IDOK);
        HWND box = NULL;
        for (int i = 0; i < 500 && !(box = testkit::FindOwnWindow("Jotwell")); ++i)
            Sleep(10);
        message = testkit::ControlText(box, 0xFFFF);
        testkit::PressButton(box, IDOK);
        testkit::WaitPostedHandled(window);
        stayed = testkit::IsOpen(window) && testkit::ControlText(window, 105) == "new";
        testkit::PressButton(window, IDCANCEL);
    });
    Command(CM_BOOK_PROPERTIES);
    ASSERT_TRUE(responder.WaitAllServed());
    CloseHandle(holder);
    EXPECT_NE(message.find("cannot save the template"), std::string::npos) << message;
    EXPECT_TRUE(stayed);
    EXPECT_EQ(testkit::ReadFileText(path), "old");
}

TEST_F(Books, PropertiesOfAFolderThatIsNoBookTouchNoBooksFlag) {
    SettingsSetBool("Books", "Book1ReadOnly", true);
    testkit::TempDir elsewhere;
    BookPropertiesDialog properties(elsewhere.path().c_str());
    responder.Expect("Book Properties", [](HWND window) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, 103)));
        EXPECT_EQ(IsDlgButtonChecked(window, 103), (UINT)BST_UNCHECKED);
        SendMessageA(GetDlgItem(window, 105), WM_SETTEXT, 0, (LPARAM) "Topic:");
        testkit::PressButton(window, IDOK);
    });
    EXPECT_TRUE(properties.RunModal(NULL, MAKEINTRESOURCEA(IDD_BOOK_PROPERTIES)));
    EXPECT_EQ(Value("Book1ReadOnly"), "1");
    EXPECT_EQ(testkit::ReadFileText(elsewhere.File("template._txt")), "Topic: ");
}

// A book that fills the list brings a vertical scroll bar; the names must
// still fit beside it, with no sideways bar under them.
TEST_F(Books, ALongBookAfterAShortOneNeedsNoSidewaysScrolling) {
    WriteNote("Other Notes", "Only", "o");
    for (int i = 0; i < 60; ++i)
        WriteNote("Useful Web Links", "Link " + std::to_string(i), "l");
    Open();
    SelectBook("Useful Web Links");
    LONG style = GetWindowLongA(dialog->NotesList(), GWL_STYLE);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_FALSE(style & WS_HSCROLL);
}

}  // namespace

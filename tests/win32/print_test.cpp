// Print Note and Print Book: the shell requests they make and the exact
// document Print Book writes.
#include "tests/win32/mainfixture.h"

#include <commctrl.h>
#include <shlobj.h>

#include "app/settings.h"
#include "features/shellprint.h"
#include "resources/resource.h"
#include "tests/win32/windowlog.h"

namespace {

struct PrintRequest {
    HWND owner;
    std::string path;
};
std::vector<PrintRequest> requests;

void RecordPrint(HWND owner, const char* path) {
    requests.push_back(PrintRequest{owner, path});
}

const char HEADER[] =
    "{\\rtf1\\ansi {\\fonttbl {\\f0\\fswiss Verdana;} } {\\colortbl; \\red000\\green000\\blue000; }\n";
const char TRAILER[] = "\\page }";

class Printing : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SeedBooks("Other Notes");
        requests.clear();
        g_pfnShellPrint = RecordPrint;
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        g_pfnShellPrint = saved;
    }

    void ExpectPrintBook(bool pageBreaks) {
        responder.Expect("Print Book", [=](HWND w) {
            SendDlgItemMessageA(w, pageBreaks ? IDC_PRINT_PAGE_BREAKS : IDC_PRINT_NO_BREAKS,
                                BM_CLICK, 0, 0);
            testkit::PressButton(w, IDOK);
        });
    }

    std::vector<std::string> RequestedPaths() {
        std::vector<std::string> paths;
        for (const PrintRequest& r : requests) {
            EXPECT_EQ(r.owner, dialog->hwnd);
            paths.push_back(r.path);
        }
        return paths;
    }

    void SelectOnly(std::initializer_list<int> items) {
        HWND list = dialog->NotesList();
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        for (int i : items)
            ListView_SetItemState(list, i, LVIS_SELECTED, LVIS_SELECTED);
        PumpFor(30);
    }

    std::string Document() { return Book("Other Notes") + "\\print.rtf"; }

    ShellPrintFunction saved = g_pfnShellPrint;
    WindowLog log;
};

TEST_F(Printing, BookDocumentWithAndWithoutPageBreaks) {
    WriteNote("Other Notes", "Shopping", "milk\r\n{2}");
    WriteNote("Other Notes", "Ideas", "");
    Open();
    ExpectPrintBook(true);
    PressKey('P', true, true);
    EXPECT_EQ(testkit::ReadFileText(Document()),
              std::string(HEADER) + "{\\b Shopping}\\par \\par\nmilk\\par\n\\{2\\}\n\\page\n" +
                  TRAILER);
    EXPECT_EQ(RequestedPaths(), std::vector<std::string>{Document()});
    EXPECT_EQ(log.Count("Printing book"), 1);
    EXPECT_EQ(log.OwnerOf("Printing book"), dialog->hwnd);

    ExpectPrintBook(false);
    Command(CM_BOOK_PRINT);
    EXPECT_EQ(testkit::ReadFileText(Document()),
              std::string(HEADER) + "{\\b Shopping}\\par \\par\nmilk\\par\n\\{2\\}\n\\par \\par\n" +
                  TRAILER);
    EXPECT_FALSE(SettingsGetBool("Settings", "PrintBookNotePerPage", true));

    bool shownNoBreaks = false;
    responder.Expect("Print Book", [&](HWND w) {
        shownNoBreaks = IsDlgButtonChecked(w, IDC_PRINT_NO_BREAKS) == BST_CHECKED;
        testkit::PressButton(w, IDCANCEL);
    });
    Command(CM_BOOK_PRINT);
    EXPECT_TRUE(shownNoBreaks) << "the dialog shows the choice made last";
    EXPECT_EQ(requests.size(), 2u) << "Cancel prints nothing";
}

TEST_F(Printing, BracesAndBackslashesAreEscapedInTextAndName) {
    WriteNote("Other Notes", "a{b}", "C:\\dir {x}\r\nend\t\xE9");
    Open();
    ExpectPrintBook(true);
    Command(CM_BOOK_PRINT);
    EXPECT_EQ(testkit::ReadFileText(Document()),
              std::string(HEADER) + "{\\b a\\{b\\}}\\par \\par\nC:\\\\dir \\{x\\}\\par\nend\t\xE9" +
                  "\n\\page\n" + TRAILER);
}

TEST_F(Printing, Utf8NotesAreWrittenWithUnicodeEscapes) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the note name is in code page 1252";
    WriteNote("Other Notes", "Z\xFCrich",
              "\xEF\xBB\xBF"
              "Caf\xC3\xA9 \xF0\x9F\x98\x80\r\n{20\xE2\x82\xAC}");
    WriteNote("Other Notes", "Zz", "Caf\xE9");
    Open();
    ExpectPrintBook(true);
    Command(CM_BOOK_PRINT);
    EXPECT_EQ(testkit::ReadFileText(Document()),
              std::string(HEADER) +
                  "{\\b Z\\u252?rich}\\par \\par\nCaf\\u233? \\u-10179?\\u-8704?\\par\n"
                  "\\{20\\u8364?\\}\n\\page\n"
                  "{\\b Zz}\\par \\par\nCaf\xE9\n\\page\n" +
                  TRAILER);
}

TEST_F(Printing, AnEmptyBookPrintsNothing) {
    Open();
    ExpectPrintBook(true);
    Command(CM_BOOK_PRINT);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(log.Count("Printing book"), 0);
    EXPECT_FALSE(testkit::FileExists(Document()));
    EXPECT_TRUE(requests.empty());
}

// The document goes where the user finds it: a book that refuses it (an
// earlier document held open) keeps that one whole, and a read-only book is
// never written to, whatever its folder allows; both print from the user's
// documents folder.
TEST_F(Printing, BookDocumentGoesToTheDocumentsFolderWhenTheBookRefusesItOrIsReadOnly) {
    WriteNote("Other Notes", "Shopping", "milk");
    testkit::WriteFileText(Document(), "an old document");
    char documents[MAX_PATH], desktop[MAX_PATH];
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(NULL, CSIDL_PERSONAL, NULL, 0, documents)));
    // The desktop's window opens each new file it shows, in the way of a
    // replacement; the test prefix keeps the two folders apart.
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(NULL, CSIDL_DESKTOPDIRECTORY, NULL, 0, desktop)));
    std::string probe = std::string(documents) + "\\jw-probe.txt";
    ASSERT_TRUE(testkit::WriteFileText(probe, "x"));
    bool shared = testkit::FileExists(std::string(desktop) + "\\jw-probe.txt");
    DeleteFileA(probe.c_str());
    ASSERT_FALSE(shared) << "the documents folder is the desktop's";
    std::string fallback = std::string(documents) + "\\print.rtf";
    std::string printed = std::string(HEADER) + "{\\b Shopping}\\par \\par\nmilk\n\\page\n" + TRAILER;
    DeleteFileA(fallback.c_str());
    HANDLE held = CreateFileA(Document().c_str(), GENERIC_READ, FILE_SHARE_READ, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Open();
    ExpectPrintBook(true);
    Command(CM_BOOK_PRINT);
    CloseHandle(held);
    EXPECT_EQ(testkit::ReadFileText(Document()), "an old document");
    EXPECT_EQ(RequestedPaths(), std::vector<std::string>{fallback});
    EXPECT_EQ(testkit::ReadFileText(fallback), printed);
    DeleteFileA(fallback.c_str());

    SettingsSetBool("Books", "Book3ReadOnly", true);
    SelectBook("PhoneBook");
    SelectBook("Other Notes");
    ExpectPrintBook(true);
    Command(CM_BOOK_PRINT);
    EXPECT_EQ(testkit::ReadFileText(Document()), "an old document");
    EXPECT_EQ(testkit::ReadFileText(fallback), printed);
    DeleteFileA(fallback.c_str());
}

TEST_F(Printing, PrintNoteAsksThenPrintsTheSelectedNotesInListOrder) {
    for (const char* name : {"A", "B", "C", "D"})
        WriteNote("Other Notes", name, name);
    Open();
    SelectOnly({3, 1, 0});
    responder.Expect("Confirm Print", IDCANCEL);
    Command(CM_NOTE_PRINT);
    EXPECT_TRUE(requests.empty()) << "Cancel prints nothing";

    responder.Expect("Confirm Print", IDOK);
    PressKey('P', true);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(responder.Seen().back().text, "Print the selected note(s)?");
    EXPECT_EQ(RequestedPaths(), (std::vector<std::string>{
                                    Note("Other Notes", "A"), Note("Other Notes", "B"),
                                    Note("Other Notes", "D")}));
}

TEST_F(Printing, WhatWasJustTypedIsPrintedToo) {
    WriteNote("Other Notes", "Shopping", "milk");
    Open();
    TypeInNote("eggs\r\n");  // printed before the save timer would run
    responder.Expect("Confirm Print", IDOK);
    Command(CM_NOTE_PRINT);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "Shopping")), "eggs\r\nmilk");
    ExpectPrintBook(true);
    Command(CM_BOOK_PRINT);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(testkit::ReadFileText(Document()),
              std::string(HEADER) + "{\\b Shopping}\\par \\par\neggs\\par\nmilk\n\\page\n" +
                  TRAILER);
}

TEST_F(Printing, PrintNoteWithNothingSelectedAsksThenDoesNothing) {
    WriteNote("Other Notes", "A", "a");
    Open();
    SelectOnly({});
    responder.Expect("Confirm Print", IDOK);
    Command(CM_NOTE_PRINT);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_TRUE(requests.empty());
}

}  // namespace

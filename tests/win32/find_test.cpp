// Find and Find Next, in the current note and through all notes of a book,
// driven through the Find dialog as a user fills it in.
#include "tests/win32/mainfixture.h"

#include <commctrl.h>
#include <stdio.h>

#include "dialogs/lrichedit.h"
#include "features/findjob.h"
#include "resources/resource.h"
#include "tests/win32/windowlog.h"

namespace {

typedef std::pair<LONG, LONG> Range;

class Find : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SeedBooks("Other Notes");
    }

    // Answers the next Find dialog as a user would.
    void ExpectFind(const std::string& text, bool matchCase, bool allNotes) {
        wchar_t wide[MAX_PATH] = L"";
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH);
        ExpectFind(std::wstring(wide), matchCase, allNotes);
    }
    void ExpectFind(const std::wstring& text, bool matchCase, bool allNotes) {
        responder.Expect("Find", [=](HWND w) {
            SetDlgItemTextW(w, IDC_FIND_TEXT, text.c_str());
            CheckDlgButton(w, IDC_FIND_MATCH_CASE, matchCase ? BST_CHECKED : BST_UNCHECKED);
            SendDlgItemMessageA(w, allNotes ? IDC_FIND_ALL_NOTES : IDC_FIND_CURRENT_NOTE,
                                BM_CLICK, 0, 0);
            testkit::PressButton(w, IDOK);
        });
    }

    // Runs a command that must end with the message "Error" / message.
    void ExpectError(const std::string& message, std::function<void()> command) {
        responder.Expect("Error", IDOK);
        command();
        ASSERT_TRUE(responder.WaitAllServed());
        ASSERT_EQ(responder.Seen().back().caption, "Error");
        EXPECT_EQ(responder.Seen().back().text, message);
        EXPECT_EQ(log.OwnerOf("Error"), dialog->hwnd) << "owned by the main window";
    }

    Range Selection() {
        Range r(-1, -1);
        LRichEdit::GetSelection(dialog->NoteText(), &r.first, &r.second);
        return r;
    }

    int ErrorCount() {
        int n = 0;
        for (const testkit::SeenDialog& d : responder.Seen())
            n += d.caption == "Error";
        return n;
    }

    void FindNext() { PressKey(VK_F3); }

    WindowLog log;
};

TEST_F(Find, CurrentNoteSelectsEachOccurrenceThenSaysNoItemFound) {
    WriteNote("Other Notes", "A", "one apple, two apples");
    Open();
    ExpectFind("apple", false, false);
    PressKey('F', true);
    EXPECT_EQ(Selection(), Range(4, 9));
    FindNext();
    EXPECT_EQ(Selection(), Range(15, 20));
    ExpectError("No item found", [&] { FindNext(); });
    EXPECT_EQ(Selection(), Range(15, 20));
    ExpectError("No item found", [&] { FindNext(); });  // no wrap-around
    EXPECT_EQ(log.Count("Finding"), 0) << "one note needs no search job";
}

TEST_F(Find, OverlappingOccurrencesAreEachFound) {
    WriteNote("Other Notes", "A", "aaaa");
    Open();
    ExpectFind("aa", false, false);
    Command(CM_FIND);
    EXPECT_EQ(Selection(), Range(0, 2));
    Command(CM_FIND_NEXT);
    EXPECT_EQ(Selection(), Range(1, 3));
    Command(CM_FIND_NEXT);
    EXPECT_EQ(Selection(), Range(2, 4));
    ExpectError("No item found", [&] { Command(CM_FIND_NEXT); });
}

TEST_F(Find, AllNotesOpensTheNoteHoldingTheTextAndGoesOnFromTheNext) {
    WriteNote("Other Notes", "A", "nothing here");
    WriteNote("Other Notes", "B", "nor here");
    WriteNote("Other Notes", "C", "x needle y needle");
    WriteNote("Other Notes", "D", "none");
    WriteNote("Other Notes", "E", "needle");
    Open();
    ExpectFind("needle", false, true);
    Command(CM_FIND);
    EXPECT_EQ(SelectedNote(), "C");
    EXPECT_EQ(EditorText(), "x needle y needle");
    EXPECT_EQ(Selection(), Range(2, 8));
    ASSERT_EQ(log.Count("Finding"), 1);
    EXPECT_EQ(log.OwnerOf("Finding"), dialog->hwnd);

    FindNext();
    EXPECT_EQ(SelectedNote(), "C");
    EXPECT_EQ(Selection(), Range(11, 17));
    FindNext();
    EXPECT_EQ(SelectedNote(), "E") << "D is searched next, not the first note again";
    EXPECT_EQ(Selection(), Range(0, 6));
    ExpectError("No item found", [&] { FindNext(); });
    EXPECT_EQ(SelectedNote(), "E");
    EXPECT_EQ(log.Count("Finding"), 3);
}

// Each note is searched in its own encoding, and case is folded for every
// language: "caf\u00E9" finds "CAF\u00C9" too.
TEST_F(Find, EveryNoteIsSearchedInItsOwnEncodingWithCaseFoldedForEveryLanguage) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the code-page note is in code page 1252";
    WriteNote("Other Notes", "A", "CAF\xC3\x89 au lait");
    WriteNote("Other Notes", "B", "\xEF\xBB\xBF\xE6\x97\xA5\xE6\x9C\xAC Caf\xC3\xA9");
    WriteNote("Other Notes", "C", "Caf\xE9 in the code page");
    Open();
    ExpectFind(L"caf\u00E9", false, true);
    Command(CM_FIND);
    EXPECT_EQ(SelectedNote(), "A");
    EXPECT_EQ(Selection(), Range(0, 4));
    FindNext();
    EXPECT_EQ(SelectedNote(), "B");
    EXPECT_EQ(Selection(), Range(3, 7));
    FindNext();
    EXPECT_EQ(SelectedNote(), "C");
    EXPECT_EQ(Selection(), Range(0, 4));
}

// Find text the code page lacks, and letters beyond ASCII in either case, in
// notes of every encoding.
TEST_F(Find, TextInAnyLanguageIsFoundWhateverItsCase) {
    WriteNote("Other Notes", "A", "Tokyo");
    WriteNote("Other Notes", "B", "\xEF\xBB\xBF\xE6\x97\xA5\xE6\x9C\xAC und Z\xC3\xBCrich");
    WriteNote("Other Notes", "C", std::string("\xFF\xFEZ\0\xFC\0r\0i\0c\0h\0", 14));
    Open();
    ExpectFind(L"\u65E5\u672C", true, true);
    Command(CM_FIND);
    EXPECT_EQ(SelectedNote(), "B");
    EXPECT_EQ(Selection(), Range(0, 2));
    ExpectFind(L"Z\u00DCRICH", false, true);
    Command(CM_FIND);
    EXPECT_EQ(SelectedNote(), "B");
    EXPECT_EQ(Selection(), Range(7, 13));
    FindNext();
    EXPECT_EQ(SelectedNote(), "C");
    EXPECT_EQ(Selection(), Range(0, 6));
}

TEST_F(Find, AllNotesWithoutTheTextSearchesSilentlyThenFindNextSaysSo) {
    WriteNote("Other Notes", "A", "alpha");
    WriteNote("Other Notes", "B", "beta");
    Open();
    ExpectFind("gamma", false, true);
    Command(CM_FIND);
    EXPECT_EQ(log.Count("Finding"), 1);
    EXPECT_EQ(ErrorCount(), 0);
    EXPECT_EQ(SelectedNote(), "A");
    ExpectError("No item found", [&] { FindNext(); });
}

TEST_F(Find, MatchCaseDecidesWhetherAppleFindsApple) {
    WriteNote("Other Notes", "A", "Apple pie");
    WriteNote("Other Notes", "B", "an apple");
    Open();
    ExpectFind("apple", false, true);
    Command(CM_FIND);
    EXPECT_EQ(SelectedNote(), "A");
    EXPECT_EQ(Selection(), Range(0, 5));

    std::string shownText;
    bool shownAllNotes = false;
    responder.Expect("Find", [&](HWND w) {
        shownText = testkit::ControlText(w, IDC_FIND_TEXT);
        shownAllNotes = IsDlgButtonChecked(w, IDC_FIND_ALL_NOTES) == BST_CHECKED;
        CheckDlgButton(w, IDC_FIND_MATCH_CASE, BST_CHECKED);
        testkit::PressButton(w, IDOK);
    });
    Command(CM_FIND);
    EXPECT_EQ(shownText, "apple") << "the dialog shows the last search";
    EXPECT_TRUE(shownAllNotes);
    EXPECT_EQ(SelectedNote(), "B");
    EXPECT_EQ(Selection(), Range(3, 8));

    SelectNote("A");
    ExpectFind("apple", true, false);
    ExpectError("No item found", [&] { Command(CM_FIND); });
}

TEST_F(Find, TheJobLooksOnlyAtTheFirst64KOfANote) {
    std::string big(70000, 'x');
    for (size_t i = 80; i < big.size(); i += 80)
        big.replace(i - 2, 2, "\r\n");
    big.replace(66000, 6, "needle");
    WriteNote("Other Notes", "A big", big);
    WriteNote("Other Notes", "B", "needle");
    Open();
    ExpectFind("needle", false, true);
    Command(CM_FIND);
    EXPECT_EQ(SelectedNote(), "B");
    EXPECT_EQ(Selection(), Range(0, 6));
}

// The job folds bit 5, so "[1]" matches "{1}" in the file; the editor does
// not, and the search goes on to the next note.
TEST_F(Find, ANoteTheEditorFindsNothingInIsPassedOver) {
    WriteNote("Other Notes", "A", "list {1}");
    WriteNote("Other Notes", "B", "see [1]");
    Open();
    ExpectFind("[1]", false, true);
    Command(CM_FIND);
    EXPECT_EQ(SelectedNote(), "B");
    EXPECT_EQ(Selection(), Range(4, 7));
    EXPECT_EQ(log.Count("Finding"), 2);
    EXPECT_EQ(ErrorCount(), 0);
}

TEST_F(Find, NeverSearchesForNothing) {
    WriteNote("Other Notes", "A", "text");
    Open();
    ExpectError("No item found", [&] { FindNext(); });  // before any Find
    ExpectFind("", false, true);
    ExpectError("Enter search item.", [&] { Command(CM_FIND); });
    EXPECT_EQ(log.Count("Finding"), 0);
    ExpectError("No item found", [&] { FindNext(); });
}

TEST_F(Find, TextIsKeptUpTo259Characters) {
    WriteNote("Other Notes", "A", "text");
    Open();
    int typed = -1;
    responder.Expect("Find", [&](HWND w) {
        HWND edit = GetDlgItem(w, IDC_FIND_TEXT);
        SetWindowTextA(edit, std::string(259, 'q').c_str());
        SendMessageA(edit, EM_SETSEL, 259, 259);
        SendMessageA(edit, EM_REPLACESEL, TRUE, (LPARAM) "zzz");
        typed = GetWindowTextLengthA(edit);
        CheckRadioButton(w, IDC_FIND_CURRENT_NOTE, IDC_FIND_ALL_NOTES, IDC_FIND_CURRENT_NOTE);
        testkit::PressButton(w, IDOK);
    });
    ExpectError("No item found", [&] { Command(CM_FIND); });
    EXPECT_EQ(typed, 259);
    EXPECT_EQ(std::string(dialog->szFindText), std::string(259, 'q'));
}

TEST_F(Find, CancelEndsTheSearchBetweenNotes) {
    // Enough notes that the search is still running when Cancel comes.
    for (int i = 0; i < 3000; ++i) {
        char name[16];
        snprintf(name, sizeof name, "N%04d", i);
        WriteNote("Other Notes", name, "some text of a note");
    }
    WriteNote("Other Notes", "Z", "needle");
    Open();
    ExpectFind("needle", false, true);
    responder.Expect("Finding", IDCANCEL);
    Command(CM_FIND);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(SelectedNote(), "N0000");
    EXPECT_EQ(ErrorCount(), 0) << "a cancelled Find says nothing";
    EXPECT_LT(dialog->iFindNoteIndex, 3000);
}

// A scan run from the job's message pump inserts a note before the one being
// searched; the notes the job set out to search are all searched.
TEST_F(Find, ANoteAddedDuringTheSearchSkipsNoNote) {
    WriteNote("Other Notes", "B", "b");
    WriteNote("Other Notes", "C", "c");
    WriteNote("Other Notes", "D", "needle");
    Open();
    WriteNote("Other Notes", "A", "a");
    strcpy(dialog->szFindText, "needle");
    dialog->iFindNoteIndex = 0;
    PostMessageA(dialog->hwnd, WM_TIMER, TIMER_SCAN, 0);
    FindJob job(*dialog);
    EXPECT_EQ(job.Run(dialog->hwnd), FIND_FOUND);
    ASSERT_EQ(ListedNotes(), (std::vector<std::string>{"A", "B", "C", "D"})) << "the scan ran";
    EXPECT_EQ(dialog->iFindNoteIndex, 3) << "D, where it is listed now";
}

}  // namespace

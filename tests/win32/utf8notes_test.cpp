// Notes in UTF-8, UTF-16 and the code page: what the editor shows, the
// bytes a save writes, and characters typed or pasted that the code page
// lacks.
#include "tests/win32/mainfixture.h"

#include <richedit.h>
#include <string.h>

#include "resources/resource.h"

namespace {

const char BOM[] = "\xEF\xBB\xBF";
// "Café menu — naïve 日本 😀", "Zürich 20€" in UTF-8 and in UTF-16.
const char UTF8_TEXT[] =
    "Caf\xC3\xA9 menu \xE2\x80\x94 na\xC3\xAFve \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80\r\n"
    "Z\xC3\xBCrich 20\xE2\x82\xAC";
const wchar_t WIDE_TEXT[] = L"Caf\u00E9 menu \u2014 na\u00EFve \u65E5\u672C \U0001F600\r"
                            L"Z\u00FCrich 20\u20AC";

class Utf8Notes : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        if (GetACP() != 1252)
            GTEST_SKIP() << "the code-page bytes here are those of code page 1252";
        SeedBooks("Other Notes");
    }

    // The editor's text as UTF-16, as the control holds it.
    std::wstring Shown() {
        wchar_t text[512] = L"";
        GETTEXTEX get = {sizeof text, GT_DEFAULT, 1200, NULL, NULL};
        SendMessageW(dialog->NoteText(), EM_GETTEXTEX, (WPARAM)&get, (LPARAM)text);
        return text;
    }

    std::string Saved(const char* name) {
        FireTimer(TIMER_SAVE);
        return testkit::ReadFileText(Note("Other Notes", name));
    }

    void PutOnClipboard(const wchar_t* text) {
        ASSERT_TRUE(OpenClipboard(dialog->hwnd));
        EmptyClipboard();
        size_t size = (wcslen(text) + 1) * sizeof(wchar_t);
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size);
        memcpy(GlobalLock(mem), text, size);
        GlobalUnlock(mem);
        SetClipboardData(CF_UNICODETEXT, mem);
        CloseClipboard();
    }
};

TEST_F(Utf8Notes, WithoutByteOrderMarkIsShownAndSavedInUtf8) {
    WriteNote("Other Notes", "Plain", UTF8_TEXT);
    Open();
    EXPECT_EQ(Shown(), WIDE_TEXT);
    TypeInNote("\xE9 ");  // "é" in the test's code page
    EXPECT_EQ(Saved("Plain"), std::string("\xC3\xA9 ") + UTF8_TEXT);
}

TEST_F(Utf8Notes, ByteOrderMarkIsNotShownAndIsKept) {
    WriteNote("Other Notes", "Marked", std::string(BOM) + UTF8_TEXT);
    Open();
    EXPECT_EQ(Shown(), WIDE_TEXT);
    TypeInNote("x");
    EXPECT_EQ(Saved("Marked"), std::string(BOM) + "x" + UTF8_TEXT);
}

TEST_F(Utf8Notes, CodePageNoteKeepsItsBytesUntilACharacterDoesNotFit) {
    // 0x80 is the euro sign in code page 1252; 0x81 has no character there.
    const std::string bytes = "Caf\xE9 \x80 \x81\r\nend";
    WriteNote("Other Notes", "Old", bytes);
    Open();
    TypeInNote("\xFC");
    EXPECT_EQ(Saved("Old"), "\xFC" + bytes);

    // Best fit would write "A" for the A with macron: it must not.
    PutOnClipboard(L"\u0100 \u65E5\u672C ");
    SetFocus(dialog->NoteText());
    PressKey('V', true);
    EXPECT_EQ(Shown(), L"\u00FC\u0100 \u65E5\u672C Caf\u00E9 \u20AC \u0081\rend");
    EXPECT_EQ(Saved("Old"), std::string(BOM) +
                                "\xC3\xBC\xC4\x80 \xE6\x97\xA5\xE6\x9C\xAC "
                                "Caf\xC3\xA9 \xE2\x82\xAC \xC2\x81\r\nend");
}

TEST_F(Utf8Notes, ACharacterTypedOutsideTheCodePageReachesTheEditor) {
    WriteNote("Other Notes", "Typed", "");
    Open();
    SetFocus(dialog->NoteText());
    PostMessageW(dialog->NoteText(), WM_CHAR, 0x65E5, 1);
    EXPECT_TRUE(Pump([&] { return Shown() == L"\u65E5"; }, 3000));
    EXPECT_EQ(Saved("Typed"), std::string(BOM) + "\xE6\x97\xA5");
}

TEST_F(Utf8Notes, NewNoteFromAUtf8TemplateIsUtf8) {
    testkit::WriteFileText(Book("Other Notes") + "\\template._txt",
                           std::string(BOM) + "Stadt: Z\xC3\xBCrich\r\n");
    WriteNote("Other Notes", "Old", "Caf\xE9");
    Open();
    Command(CM_NOTE_NEW);
    EXPECT_EQ(Shown(), L"Stadt: Z\u00FCrich\r");
    TypeInNote("\xE9");
    EXPECT_EQ(Saved("New 1"), std::string(BOM) + "\xC3\xA9Stadt: Z\xC3\xBCrich\r\n");
}

// "Unicode" files of Windows editors, either byte order: shown, left alone
// until typed in, then saved in their own encoding with their mark.
TEST_F(Utf8Notes, Utf16NotesAreShownAndSavedAsUtf16) {
    const wchar_t text[] = L"Gr\u00FC\u00DFe \u65E5\u672C\r\nend";
    std::string little("\xFF\xFE", 2), big("\xFE\xFF", 2);
    for (const wchar_t* c = text; *c; ++c) {
        little += {(char)(*c & 0xFF), (char)(*c >> 8)};
        big += {(char)(*c >> 8), (char)(*c & 0xFF)};
    }
    WriteNote("Other Notes", "Big", big);
    WriteNote("Other Notes", "Little", little);
    Open();
    SelectNote("Little");
    EXPECT_EQ(Shown(), L"Gr\u00FC\u00DFe \u65E5\u672C\rend");
    EXPECT_EQ(Saved("Little"), little) << "written without an edit";
    TypeInNote("x");
    EXPECT_EQ(Saved("Little"), std::string("\xFF\xFEx\0", 4) + little.substr(2));
    SelectNote("Big");
    EXPECT_EQ(Shown(), L"Gr\u00FC\u00DFe \u65E5\u672C\rend");
    TypeInNote("x");
    EXPECT_EQ(Saved("Big"), std::string("\xFE\xFF\0x", 4) + big.substr(2));
}

// Bytes that are not UTF-8, in a note with the mark and in one that has
// only a few of them, come back as they were; only the edit changes.
TEST_F(Utf8Notes, DamagedUtf8ComesBackByteForByteExceptTheEdit) {
    const std::string marked = std::string(BOM) + "Caf\xC3\xA9 \xFF\xFE \xE9t\xE9 \xC3";
    const std::string bare = "Gr\xC3\xBC\xC3\x9F" "e aus Z\xC3\xBCrich \xFF\r\nend";
    WriteNote("Other Notes", "Bare", bare);
    WriteNote("Other Notes", "Marked", marked);
    Open();
    TypeInNote("x");
    EXPECT_EQ(Saved("Bare"), "x" + bare);
    EXPECT_EQ(Shown().substr(0, 8), L"xGr\u00FC\u00DFe a");
    SelectNote("Marked");
    TypeInNote("x");
    EXPECT_EQ(Saved("Marked"), std::string(BOM) + "x" + marked.substr(3));
}

// Lines that end in a bare line feed, in either encoding, keep it.
TEST_F(Utf8Notes, BareLineFeedsStayBare) {
    WriteNote("Other Notes", "A", "one\ntwo\n");
    WriteNote("Other Notes", "B", "\xEF\xBB\xBFone\ntwo\xC3\xA9\n");
    Open();
    TypeInNote("x");
    EXPECT_EQ(Saved("A"), "xone\ntwo\n");
    SelectNote("B");
    TypeInNote("x");
    EXPECT_EQ(Saved("B"), "\xEF\xBB\xBFxone\ntwo\xC3\xA9\n");
}

}  // namespace

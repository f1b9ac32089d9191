// Notes in UTF-8 and in the code page: what the editor shows, the bytes a
// save writes, and characters typed or pasted that the code page lacks.
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

}  // namespace

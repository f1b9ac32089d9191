// Notes and books named in any language: listed, opened, saved, renamed
// and found under their own names, whatever the system's code page holds.
#include "tests/win32/mainfixture.h"

#include <commctrl.h>

#include "app/settings.h"
#include "resources/resource.h"
#include "util/lwide.h"

namespace {

class Names : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SeedBooks("Other Notes");
    }
    // The file's text, its path in UTF-8.
    std::string ReadWide(const std::string& path) {
        HANDLE h = CreateFileW(LWide(path.c_str()), GENERIC_READ, FILE_SHARE_READ, NULL,
                               OPEN_EXISTING, 0, NULL);
        if (h == INVALID_HANDLE_VALUE)
            return "(missing)";
        char text[256];
        DWORD got = 0;
        ReadFile(h, text, sizeof text, &got, NULL);
        CloseHandle(h);
        return std::string(text, got);
    }
    void WriteWide(const std::string& path, const std::string& text) {
        HANDLE h = CreateFileW(LWide(path.c_str()), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        DWORD written = 0;
        WriteFile(h, text.data(), (DWORD)text.size(), &written, NULL);
        CloseHandle(h);
    }
    std::vector<std::string> Listed() {
        std::vector<std::string> names;
        for (int i = 0; i < ListView_GetItemCount(dialog->NotesList()); ++i) {
            wchar_t text[MAX_PATH] = L"";
            LVITEMW item = {};
            item.pszText = text;
            item.cchTextMax = MAX_PATH;
            SendMessageW(dialog->NotesList(), LVM_GETITEMTEXTW, i, (LPARAM)&item);
            names.push_back(LNarrow(text));
        }
        return names;
    }
};

const char kTokyo[] = "\xE6\x9D\xB1\xE4\xBA\xAC";             // two kanji
const char kGreetings[] = "Gr\xC3\xBC\xC3\x9F" "e";            // with u-umlaut and sharp s
const char kBooks[] = "B\xC3\xBC" "cher \xE6\x9C\xAC";         // a book folder

TEST_F(Names, ANoteNamedOutsideTheCodePageIsListedLoadedSavedAndRenamed) {
    std::string tokyo = Book("Other Notes") + "\\" + kTokyo + ".txt";
    WriteWide(tokyo, "text");
    Open();
    EXPECT_TRUE(responder.Seen().empty()) << responder.Seen()[0].text;
    EXPECT_EQ(Listed(), std::vector<std::string>{kTokyo});
    EXPECT_EQ(EditorText(), "text");
    TypeInNote("more ");
    FireTimer(TIMER_SAVE);
    EXPECT_EQ(ReadWide(tokyo), "more text");

    SetDlgItemTextW(dialog->hwnd, IDC_NOTE_NAME, LWide((std::string(kTokyo) + " 2").c_str()));
    FireTimer(TIMER_SAVE);
    EXPECT_EQ(ReadWide(Book("Other Notes") + "\\" + kTokyo + " 2.txt"), "more text");
    EXPECT_EQ(ReadWide(tokyo), "(missing)");
    EXPECT_EQ(Listed(), std::vector<std::string>{std::string(kTokyo) + " 2"});

    // Typed with accents, a name keeps them.
    SetDlgItemTextW(dialog->hwnd, IDC_NOTE_NAME, LWide(kGreetings));
    FireTimer(TIMER_SAVE);
    EXPECT_EQ(ReadWide(Book("Other Notes") + "\\" + kGreetings + ".txt"), "more text");
}

// A book folder named in any language, and one stored by an earlier version
// in the code page, hold their notes.
TEST_F(Names, BookFoldersInAnyLanguageKeepTheirNotes) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the stored path is in code page 1252";
    std::string folder = books.path() + "\\" + kBooks;
    ASSERT_TRUE(CreateDirectoryW(LWide(folder.c_str()), NULL));
    WriteWide(folder + "\\A.txt", "in the book");
    SettingsSetString("Books", "Book3", folder.c_str());
    SettingsSetString("Books", "Current", kBooks);
    Open();
    EXPECT_EQ(Listed(), std::vector<std::string>{"A"});
    EXPECT_EQ(EditorText(), "in the book");
    Close();

    std::string older = books.path() + "\\Notizen B\xC3\xBC" "cher";
    ASSERT_TRUE(CreateDirectoryW(LWide(older.c_str()), NULL));
    WriteWide(older + "\\B.txt", "stored before");
    std::string codePage = books.path() + "\\Notizen B\xFC" "cher";
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Jotwell\\Books", 0, NULL, 0,
                    KEY_ALL_ACCESS, NULL, &key, NULL);
    RegSetValueExA(key, "Book3", 0, REG_SZ, (const BYTE*)codePage.c_str(),
                   (DWORD)codePage.size() + 1);
    RegSetValueExA(key, "Current", 0, REG_SZ, (const BYTE*)"Notizen B\xFC" "cher", 14);
    RegCloseKey(key);
    Open();
    EXPECT_EQ(Listed(), std::vector<std::string>{"B"});
    EXPECT_EQ(EditorText(), "stored before");
}

}  // namespace

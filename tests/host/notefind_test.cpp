// The find through all notes on notes in UTF-8 and in the code page.
#include "features/notefind.h"

#include <gtest/gtest.h>
#include <string.h>
#include <string>

namespace {

ptrdiff_t Utf8Search(const std::string& text, const std::string& pattern, bool matchCase) {
    return NoteSearchUtf8(text.data(), text.size(), pattern.data(), pattern.size(), matchCase);
}

// A find text typed as "é" in code page 1252: 0xE9, or C3 A9 in UTF-8.
bool Holds(const std::string& note, const char* codePage, const char* utf8, bool matchCase) {
    NoteFindText find = {codePage, strlen(codePage), utf8, strlen(utf8), matchCase};
    return NoteHoldsText(note.data(), note.size(), false, find);
}

TEST(NoteSearchUtf8, FoldsAsciiLettersOnly) {
    // "Ã©" is C3 A9 and "Ã‰" is C3 89: they differ in bit 5 of the second byte.
    EXPECT_EQ(Utf8Search("CAF\xC3\xA9", "caf\xC3\xA9", false), 0);
    EXPECT_EQ(Utf8Search("caf\xC3\x89", "caf\xC3\xA9", false), -1);
    EXPECT_EQ(Utf8Search("caf\xC3\x89 caf\xC3\xA9", "CAF\xC3\xA9", false), 6);
    EXPECT_EQ(Utf8Search("[x]", "{X}", false), 0);  // ASCII folding as before
    EXPECT_EQ(Utf8Search("Caf\xC3\xA9", "caf\xC3\xA9", true), -1);
}

TEST(NoteHoldsText, EachNoteIsSearchedInItsOwnEncoding) {
    const std::string utf8Note = "Men\xC3\xBC: Caf\xC3\xA9";
    const std::string codePageNote = "Men\xFC: Caf\xE9";
    EXPECT_TRUE(Holds(utf8Note, "caf\xE9", "caf\xC3\xA9", false));
    EXPECT_TRUE(Holds(codePageNote, "caf\xE9", "caf\xC3\xA9", false));
    EXPECT_TRUE(Holds("\xEF\xBB\xBF" "Caf\xC3\xA9", "\xE9", "\xC3\xA9", true));
    // Code-page folding is as before (0xC9 matches 0xE9); UTF-8 bytes are not folded.
    EXPECT_TRUE(Holds(codePageNote, "caf\xC9", "caf\xC3\x89", false));
    EXPECT_FALSE(Holds(utf8Note, "caf\xC9", "caf\xC3\x89", false));
    // Not UTF-8 (the last byte), so the code-page form is looked for.
    EXPECT_FALSE(Holds("\xC3\xA9\xFF", "\xE9", "\xC3\xA9", true));
    EXPECT_TRUE(Holds(utf8Note, "MEN", "MEN", false));
}

}  // namespace

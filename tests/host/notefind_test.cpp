// The find through all notes on notes in the code page, UTF-8 and UTF-16,
// with case folded for every language.
#include "features/notefind.h"

#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <vector>

#include "tests/host/asciifold.h"

namespace {

// Latin-1 stands in for the system's code page and its lower-case rules.
size_t Latin1(const char* bytes, size_t size, char16_t* out) {
    for (size_t i = 0; i < size; ++i)
        out[i] = (unsigned char)bytes[i];
    return size;
}

const char16_t* Fold() {
    static std::vector<char16_t> fold;
    if (fold.empty()) {
        fold = AsciiFold();
        for (unsigned u = 0xC0; u <= 0xDE; ++u)
            if (u != 0xD7)
                fold[u] = (char16_t)(u + 32);
        fold[0x212A] = u'k';  // the Kelvin sign folds to ASCII
    }
    return fold.data();
}

// The find text as the program prepares it: UTF-8, UTF-16 folded unless
// case must match, and the code-page form where there is one.
bool Holds(const std::string& note, const std::u16string& text, bool matchCase) {
    std::u16string units = text;
    if (!matchCase)
        for (char16_t& u : units)
            u = Fold()[u];
    std::string utf8, codePage;
    bool fits = true;
    for (char16_t u : text) {
        if (u < 0x80) {
            utf8 += (char)u;
        } else if (u < 0x800) {
            utf8 += (char)(0xC0 | (u >> 6));
            utf8 += (char)(0x80 | (u & 0x3F));
        } else {
            utf8 += (char)(0xE0 | (u >> 12));
            utf8 += (char)(0x80 | ((u >> 6) & 0x3F));
            utf8 += (char)(0x80 | (u & 0x3F));
        }
        fits = fits && u < 0x100;
        codePage += (char)u;
    }
    NoteFindText find = {fits ? codePage.data() : nullptr, codePage.size(), utf8.data(),
                         utf8.size(), units.data(), units.size(), matchCase,
                         matchCase ? nullptr : Fold(), Latin1};
    std::vector<char16_t> scratch(note.size() + 1);
    return NoteHoldsText(note.data(), note.size(), false, find, scratch.data());
}

TEST(FindUnits, ComparesFoldedOrExactly) {
    const std::u16string text = u"Gr\u00FC\u00DFe aus Z\u00FCrich";
    EXPECT_EQ(FindUnits(text.data(), text.size(), u"z\u00FCrich", 6, Fold()), 10);
    EXPECT_EQ(FindUnits(text.data(), text.size(), u"z\u00FCrich", 6, nullptr), -1);
    EXPECT_EQ(FindUnits(text.data(), text.size(), u"Z\u00FCrich", 6, nullptr), 10);
    EXPECT_EQ(FindUnits(text.data(), text.size(), u"", 0, Fold()), -1);
    EXPECT_EQ(FindUnits(u"ab", 2, u"abc", 3, Fold()), -1);
}

TEST(NoteHoldsText, FoldsEveryLanguageInEveryEncoding) {
    const std::string utf8Note = "Gr\xC3\xBC\xC3\x9F" "e aus Z\xC3\xBCrich";
    const std::string codePageNote = "Gr\xFC\xDF" "e aus Z\xFCrich";
    const std::string utf16Note("\xFF\xFEZ\0\xFC\0r\0", 8);
    for (const std::string& note : {utf8Note, codePageNote, utf16Note}) {
        EXPECT_TRUE(Holds(note, u"Z\u00DCR", false)) << note;
        EXPECT_FALSE(Holds(note, u"Z\u00DCR", true)) << note;
        EXPECT_TRUE(Holds(note, u"Z\u00FCr", true)) << note;
    }
    const std::string japanese = "\xEF\xBB\xBF\xE6\x97\xA5\xE6\x9C\xAC Caf\xC3\xA9";
    EXPECT_TRUE(Holds(japanese, u"\u65E5\u672C", true));
    EXPECT_TRUE(Holds(japanese, u"CAF\u00C9", false));
    EXPECT_FALSE(Holds(codePageNote, u"\u65E5\u672C", true));
}

// An ASCII note is searched by its bytes, where a find text that folds to
// ASCII may still be found.
TEST(NoteHoldsText, AsciiNotesTakeTheByteSearch) {
    EXPECT_TRUE(Holds("Ten kilos of apples", u"KILOS", false));
    EXPECT_TRUE(Holds("Ten kilos of apples", u"\u212Ailos", false));
    EXPECT_FALSE(Holds("Ten kilos of apples", u"Z\u00FCrich", false));
    EXPECT_FALSE(Holds("Ten kilos of apples", u"KILOS", true));
}

}  // namespace

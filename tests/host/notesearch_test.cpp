// Note search: case folding, overlapping candidates, the ends of the text,
// and a cross-check of the word-at-a-time scan against a plain loop.
#include "features/notesearch.h"

#include <gtest/gtest.h>
#include <stdint.h>
#include <string>

namespace {

ptrdiff_t Find(const std::string& text, const std::string& pattern, bool matchCase = false) {
    return NoteSearch(text.data(), text.size(), pattern.data(), pattern.size(), matchCase);
}

// The rule written as plainly as possible.
ptrdiff_t NaiveFind(const std::string& text, const std::string& pattern, bool matchCase) {
    const unsigned char fold = matchCase ? 0 : 0x20;
    if (pattern.empty())
        return -1;
    for (size_t i = 0; i + pattern.size() <= text.size(); ++i) {
        size_t j = 0;
        while (j < pattern.size() &&
               ((unsigned char)text[i + j] | fold) == ((unsigned char)pattern[j] | fold))
            ++j;
        if (j == pattern.size())
            return (ptrdiff_t)i;
    }
    return -1;
}

TEST(NoteSearch, MatchCaseDecidesWhetherLettersFold) {
    EXPECT_EQ(Find("An apple a day", "Apple", false), 3);
    EXPECT_EQ(Find("An apple a day", "Apple", true), -1);
    EXPECT_EQ(Find("An Apple a day", "Apple", true), 3);
    EXPECT_EQ(Find("MILK and bread", "milk", false), 0);
}

TEST(NoteSearch, FoldingSetsBitFiveAndNothingMore) {
    EXPECT_EQ(Find("see [1]", "{1}", false), 4);
    EXPECT_EQ(Find("see [1]", "{1}", true), -1);
    EXPECT_EQ(Find("line\r\nnext", "e-", false), 3);
    EXPECT_EQ(Find("a\nb", "a*b", false), 0);
    EXPECT_EQ(Find("mail @home", "`home", false), 5);
    EXPECT_EQ(Find("caf\xC9!", "caf\xE9", false), 0);
    EXPECT_EQ(Find("caf\xC9!", "caf\xE9", true), -1);
    // Bits other than 0x20 still count: '!' (0x21) is not '1' (0x31), and
    // 0xA9 is neither 0x09 nor 0xB9.
    EXPECT_EQ(Find("1", "!", false), -1);
    EXPECT_EQ(Find("\x09\xB9", "\xA9", false), -1);
    EXPECT_EQ(Find("\x09\x89", "\xA9", false), 1);
    EXPECT_EQ(Find("x\x89", "\x89", true), 1);
}

TEST(NoteSearch, OverlappingAndRestartingCandidates) {
    EXPECT_EQ(Find("aaaa", "aa"), 0);
    EXPECT_EQ(Find("aaab", "aab"), 1);
    EXPECT_EQ(Find("abcabcabd", "abcabd"), 3);
    EXPECT_EQ(Find("xyxyxyz", "XYXYZ"), 2);
    EXPECT_EQ(Find("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "aaaaaaab"), 31);
}

TEST(NoteSearch, EndsOfTheText) {
    EXPECT_EQ(Find("milk and bread", "milk"), 0);
    EXPECT_EQ(Find("milk and bread", "bread"), 9);
    EXPECT_EQ(Find("milk and bread", "ad"), 12);
    EXPECT_EQ(Find("milk", "milk"), 0);
    EXPECT_EQ(Find("milk", "milks"), -1);
    EXPECT_EQ(Find("milk and bread", "breads"), -1);
    EXPECT_EQ(Find("", "a"), -1);
    // Every text length and position around the word-sized steps.
    for (size_t size = 1; size < 70; ++size)
        for (size_t at = 0; at + 3 <= size; ++at) {
            std::string text(size, '.');
            text.replace(at, 3, "zQx");
            ASSERT_EQ(Find(text, "ZqX"), (ptrdiff_t)at) << size;
            ASSERT_EQ(Find(text, "zQx", true), (ptrdiff_t)at) << size;
        }
}

TEST(NoteSearch, EmptyPatternMatchesNothing) {
    EXPECT_EQ(Find("milk", ""), -1);
    EXPECT_EQ(Find("", ""), -1);
}

TEST(NoteSearch, CallerLimitHidesLaterOccurrences) {
    EXPECT_EQ(NOTE_SEARCH_LIMIT, 65536u);
    std::string text(70000, 'x');
    text.replace(65540, 5, "Apple");
    EXPECT_EQ(Find(text, "apple"), 65540);
    EXPECT_EQ(NoteSearch(text.data(), NOTE_SEARCH_LIMIT, "apple", 5, false), -1);
    // One that begins inside the limit but ends beyond it is not found either.
    text.replace(65533, 5, "Pears");
    EXPECT_EQ(NoteSearch(text.data(), NOTE_SEARCH_LIMIT, "pears", 5, false), -1);
    EXPECT_EQ(NoteSearch(text.data(), NOTE_SEARCH_LIMIT + 2, "pears", 5, false), 65533);
}

// A small alphabet full of folding pairs makes partial matches frequent.
TEST(NoteSearch, AgreesWithThePlainLoop) {
    static const char ALPHABET[] = "aAbB[{\r-\n*\xC0\xE0 ";
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int round = 0; round < 20000; ++round) {
        std::string text(next(90), ' '), pattern(1 + next(6), ' ');
        for (char& c : text)
            c = ALPHABET[next(sizeof ALPHABET - 1)];
        for (char& c : pattern)
            c = ALPHABET[next(sizeof ALPHABET - 1)];
        for (bool matchCase : {false, true})
            ASSERT_EQ(Find(text, pattern, matchCase), NaiveFind(text, pattern, matchCase))
                << round << " " << matchCase;
    }
}

}  // namespace

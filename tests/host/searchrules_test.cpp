// The rules of the search of every book: words, folding, matching, order,
// the line shown, and when a search may look only among the last results.
#include "features/searchrules.h"

#include <gtest/gtest.h>

#include "tests/host/asciifold.h"

namespace {

const char16_t* Fold() {
    static std::vector<char16_t> fold;
    if (fold.empty()) {
        fold = AsciiFold();
        fold[0xDC] = 0xFC;      // U with diaeresis
        fold[0x130] = u'i';     // dotted capital I: two bytes fold to one
    }
    return fold.data();
}

SearchNote Note(int book, const std::string& name, const std::string& text) {
    SearchNote note = {book, name, text, FoldUtf8(name, Fold()), FoldUtf8(text, Fold()), 0, 0};
    return note;
}

std::vector<std::string> Folded(const std::string& typed) {
    return SearchWords(FoldUtf8(typed, Fold()));
}

TEST(SearchRules, WordsAreFoldedInEveryLanguageAndSplitAtBlanks) {
    EXPECT_EQ(FoldUtf8("Z\xC3\x9Crich \xC4\xB0stanbul \xF0\x9F\x98\x80 \xFF", Fold()),
              "z\xC3\xBCrich istanbul \xF0\x9F\x98\x80 \xFF");
    EXPECT_EQ(SearchWords("  milk\tFriday\r\n "), (std::vector<std::string>{"milk", "Friday"}));
    EXPECT_TRUE(SearchWords(" \t").empty());
}

// Every word must occur, in the name or the text, in any order; the line
// shown is the original's, even where folding changed a length before it.
TEST(SearchRules, EveryWordMatchesInAnyOrderAndTheLineIsTheOriginal) {
    SearchNote note = Note(0, "Shopping", "\xC4\xB0zmir trip\r\nBuy MILK on Friday\r\nend");
    SearchHit hit;
    ASSERT_TRUE(MatchSearchNote(note, Folded("friday milk"), false, &hit));
    EXPECT_FALSE(hit.inName);
    EXPECT_EQ(hit.word, 1) << "milk comes first in the text";
    EXPECT_EQ(note.text.substr(hit.lineStart, hit.lineLength), "Buy MILK on Friday");
    EXPECT_FALSE(MatchSearchNote(note, Folded("milk sunday"), false, &hit));
    EXPECT_FALSE(MatchSearchNote(note, SearchWords("milk"), true, &hit)) << "case must match";
    ASSERT_TRUE(MatchSearchNote(note, Folded("shop friday"), false, &hit));
    EXPECT_FALSE(hit.inName) << "one word only in the text";
    ASSERT_TRUE(MatchSearchNote(note, Folded("SHOP"), false, &hit));
    EXPECT_TRUE(hit.inName);
    EXPECT_EQ(note.text.substr(hit.lineStart, hit.lineLength), "\xC4\xB0zmir trip");
}

// A note all in ASCII is held without a folded copy and folded as searched,
// exactly: the note search's looser fold would take "[" for "{".
TEST(SearchRules, AnAsciiTextIsFoldedAsItIsSearched) {
    SearchNote note = Note(0, "List", "x {a}\r\nBuy MILK [a]");
    note.foldedText.clear();
    SearchHit hit;
    ASSERT_TRUE(MatchSearchNote(note, Folded("milk [a]"), false, &hit));
    EXPECT_EQ(note.text.substr(hit.lineStart, hit.lineLength), "Buy MILK [a]");
    EXPECT_FALSE(MatchSearchNote(note, Folded("{a} milkk"), false, &hit));
    ASSERT_TRUE(MatchSearchNote(note, Folded("{A}"), false, &hit));
    EXPECT_EQ(note.text.substr(hit.lineStart, hit.lineLength), "x {a}");
}

TEST(SearchRules, NamesFirstThenBooksInListOrderThenNames) {
    std::vector<SearchNote> notes = {Note(1, "beta", "milk"), Note(0, "Zed", "milk"),
                                     Note(1, "Milk run", "x"), Note(0, "alpha", "milk"),
                                     Note(2, "milk", "")};
    std::vector<SearchHit> hits;
    for (size_t i = 0; i < notes.size(); ++i) {
        SearchHit hit;
        if (MatchSearchNote(notes[i], Folded("milk"), false, &hit)) {
            hit.note = i;
            hits.push_back(hit);
        }
    }
    SortSearchHits(hits, notes);
    std::vector<std::string> order;
    for (const SearchHit& hit : hits)
        order.push_back(notes[hit.note].name);
    EXPECT_EQ(order, (std::vector<std::string>{"Milk run", "milk", "alpha", "Zed", "beta"}));
}

TEST(SearchRules, CountsReadWithThousands) {
    EXPECT_EQ(CountText(0), "0");
    EXPECT_EQ(CountText(999), "999");
    EXPECT_EQ(CountText(10000), "10,000");
    EXPECT_EQ(CountText(1234567), "1,234,567");
}

TEST(SearchRules, TypingOnNarrowsTheSearch) {
    EXPECT_TRUE(SearchNarrows("mil", "milk"));
    EXPECT_TRUE(SearchNarrows("milk ", "milk fri"));
    EXPECT_FALSE(SearchNarrows("milk", "mil"));
    EXPECT_FALSE(SearchNarrows("", "milk")) << "nothing was searched before";
    EXPECT_FALSE(SearchNarrows("milk", "silk"));
}

}  // namespace

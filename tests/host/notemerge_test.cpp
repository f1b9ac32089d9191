// The three-way merge of a note two computers changed.
#include "notebook/notemerge.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

std::string Merge(const std::string& base, const std::string& mine, const std::string& theirs,
                  NoteMergeResult expected = NOTE_MERGED) {
    std::string merged = "untouched";
    EXPECT_EQ(MergeNoteBytes(base, mine, theirs, &merged), expected);
    return merged;
}

const std::string kBase = "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\n";

TEST(NoteMerge, OneSidedChangesAreTakenWhole) {
    std::string mine = "one\r\ntwo\r\nthree\r\nfour\r\nfive mine\r\n";
    EXPECT_EQ(Merge(kBase, mine, kBase), mine);
    EXPECT_EQ(Merge(kBase, kBase, mine), mine);
    EXPECT_EQ(Merge(kBase, mine, mine), mine);
    EXPECT_EQ(Merge("", "new\n", ""), "new\n");
    EXPECT_EQ(Merge("gone\n", "", "gone\n"), "");
}

TEST(NoteMerge, ChangesOfDifferentLinesMerge) {
    std::string mine = "one\r\ntwo\r\nthree\r\nfour\r\nfive mine\r\n";
    std::string theirs = "ONE\r\ntwo\r\nthree\r\nfour\r\nfive\r\n";
    EXPECT_EQ(Merge(kBase, mine, theirs), "ONE\r\ntwo\r\nthree\r\nfour\r\nfive mine\r\n");
    // Lines added and removed on either side.
    std::string added = "one\r\ntwo\r\nand a half\r\nthree\r\nfour\r\nfive\r\n";
    std::string removed = "one\r\ntwo\r\nthree\r\nfive\r\n";
    EXPECT_EQ(Merge(kBase, added, removed), "one\r\ntwo\r\nand a half\r\nthree\r\nfive\r\n");
    // A last line without its end, and a line added after it.
    EXPECT_EQ(Merge("a\nb\nc\nd", "A\nb\nc\nd", "a\nb\nc\nd\ne"), "A\nb\nc\nd\ne");
}

TEST(NoteMerge, TheSameLineChangedOnBothSidesIsAConflict) {
    std::string mine = "one\r\ntwo mine\r\nthree\r\nfour\r\nfive\r\n";
    std::string theirs = "one\r\ntwo theirs\r\nthree\r\nfour\r\nfive\r\n";
    EXPECT_EQ(Merge(kBase, mine, theirs, NOTE_MERGE_CONFLICT), "untouched");
    EXPECT_EQ(Merge("", "mine\n", "theirs\n", NOTE_MERGE_CONFLICT), "untouched");
}

// Each side's line ends stay its own: a line whose end changed is a change.
TEST(NoteMerge, EachSidesLineEndsAreKept) {
    std::string base = "a\nb\nc\nd\ne\n";
    std::string mine = "a\r\nb\nc\nd\ne\n";
    std::string theirs = "a\nb\nc\nd\nE\n";
    EXPECT_EQ(Merge(base, mine, theirs), "a\r\nb\nc\nd\nE\n");
}

// UTF-16 is merged unit by unit, in its own byte order; a side that cannot
// be decoded whole, or in another encoding, is never merged.
TEST(NoteMerge, NotesMergeInTheirOwnEncodingOnly) {
    auto le = [](const std::u16string& text) {
        std::string out = "\xFF\xFE";
        for (char16_t c : text) {
            out += (char)(c & 0xFF);
            out += (char)(c >> 8);
        }
        return out;
    };
    std::string base = le(u"\u010ane\r\n\u0a0atwo\r\nthree\r\nfour\r\n");
    std::string mine = le(u"\u010ane\r\n\u0a0atwo\r\nthree\r\nfour mine\r\n");
    std::string theirs = le(u"\u010aNE\r\n\u0a0atwo\r\nthree\r\nfour\r\n");
    EXPECT_EQ(Merge(base, mine, theirs), le(u"\u010aNE\r\n\u0a0atwo\r\nthree\r\nfour mine\r\n"));

    EXPECT_EQ(Merge(base, mine, theirs + "x", NOTE_MERGE_REFUSED), "untouched") << "odd byte";
    std::string utf8 = "one\r\ntwo\r\nthree\r\nfour caf\xC3\xA9\r\n";
    std::string codePage = "ONE\r\ntwo\r\nthree\r\nfour caf\xE9\r\n";
    EXPECT_EQ(Merge("one\r\ntwo\r\nthree\r\nfour\r\n", utf8, codePage, NOTE_MERGE_REFUSED),
              "untouched");
    // ASCII reads the same in both.
    EXPECT_EQ(Merge("a\nb\nc\n", "a\nb\ncaf\xC3\xA9\n", "A\nb\nc\n"), "A\nb\ncaf\xC3\xA9\n");
}

TEST(NoteMerge, TwoLargeNotesWithAFewChangesMergeQuickly) {
    std::string base;
    for (int i = 0; i < 5000; ++i)
        base += "Line " + std::to_string(i) + " of a long note, as people write them.\r\n";
    std::string mine = base, theirs = base;
    mine.replace(mine.find("Line 4000 "), 9, "Line four thousand");
    theirs.replace(theirs.find("Line 10 "), 7, "Line ten");
    auto start = std::chrono::steady_clock::now();
    std::string merged = Merge(base, mine, theirs);
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
    EXPECT_NE(merged.find("Line four thousand"), std::string::npos);
    EXPECT_NE(merged.find("Line ten"), std::string::npos);
    RecordProperty("merge_ms", std::to_string(ms));
    EXPECT_EQ(Merge(std::string(NOTE_MERGE_MAX_BYTES + 1, 'a'), "x", "y", NOTE_MERGE_REFUSED),
              "untouched");
}

}  // namespace

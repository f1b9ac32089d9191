// The text file beside each version or deleted note in the history store.
#include "notebook/historyindex.h"

#include <gtest/gtest.h>

#include <string>

namespace {

HistoryIndex Sample() {
    HistoryIndex index;
    index.kind = HISTORY_DELETED;
    index.path = "C:\\Books\\Caf\xC3\xA9\\Shopping = list.txt";
    index.kept = 134000000000000000ull;
    index.time = 133999999990000000ull;
    index.size = 307200;
    index.firstLine = "Milk, bread";
    return index;
}

bool Parse(const std::string& text, HistoryIndex* index) {
    return HistoryIndexParse(text.data(), text.size(), index);
}

TEST(HistoryIndex, WhatIsWrittenIsReadBack) {
    std::string text;
    ASSERT_TRUE(HistoryIndexText(Sample(), &text));
    HistoryIndex back;
    ASSERT_TRUE(Parse(text, &back));
    EXPECT_EQ(back.kind, HISTORY_DELETED);
    EXPECT_EQ(back.path, Sample().path);
    EXPECT_EQ(back.kept, Sample().kept);
    EXPECT_EQ(back.time, Sample().time);
    EXPECT_EQ(back.size, 307200u);
    EXPECT_EQ(back.firstLine, "Milk, bread");
}

// Written by hand or by a later program: LF line ends and names it does not
// know are fine.
TEST(HistoryIndex, ReadsLineFeedsAndPassesOverUnknownNames) {
    HistoryIndex index;
    ASSERT_TRUE(Parse("Jotwell history entry\nkind=version\ncolour=blue\npath=C:\\a.txt\n"
                      "kept=5\nsize=0",
                      &index));
    EXPECT_EQ(index.kind, HISTORY_VERSION);
    EXPECT_EQ(index.path, "C:\\a.txt");
    EXPECT_EQ(index.time, 0u);
}

TEST(HistoryIndex, RefusesWhatIsNotAWholeIndex) {
    HistoryIndex index;
    const std::string whole = "Jotwell history entry\nkind=version\npath=C:\\a.txt\nkept=5\nsize=1\n";
    ASSERT_TRUE(Parse(whole, &index));
    EXPECT_FALSE(Parse(whole.substr(1), &index));                             // no header
    EXPECT_FALSE(Parse(whole.substr(0, whole.find("kept")), &index));         // cut short
    EXPECT_FALSE(Parse(whole + "size=1x\n", &index));                         // not a number
    EXPECT_FALSE(Parse(whole + "kept=99999999999999999999\n", &index));       // too large
    EXPECT_FALSE(Parse(whole + "kind=other\n", &index));
    HistoryIndex newline = Sample();
    newline.path += "\nkept=1";
    std::string text;
    EXPECT_FALSE(HistoryIndexText(newline, &text));
}

TEST(HistoryIndex, TheFirstLineIsTheFirstWithTextCutBetweenCharacters) {
    EXPECT_EQ(HistoryFirstLine("\r\n  \r\n\tTitle\there \r\nmore", 28), "Title here");
    std::string longLine = std::string(79, 'x') + "\xC3\xA9 and more";
    EXPECT_EQ(HistoryFirstLine(longLine.data(), longLine.size()), std::string(79, 'x'));
    EXPECT_EQ(HistoryFirstLine("", 0), "");
}

}  // namespace

// Comparing a book folder's listing with the note list.
#include "notebook/scanrules.h"

#include <gtest/gtest.h>

namespace {

typedef std::vector<std::string> Names;

TEST(CompareNotes, FindsAddedAndVanishedWithoutRegardToCaseHighestIndexFirst) {
    ScanDifference d = CompareNotes(Names{"apple", "Kiwi", "Plum", "Fig", "lime"},
                                    Names{"Plum", "banana", "APPLE", "cherry", "fig"});
    EXPECT_EQ(d.added, (Names{"banana", "cherry"}));
    EXPECT_EQ(d.vanished, (std::vector<int>{4, 1}));
}

TEST(CompareNotes, AddsANameTheFolderGivesTwiceOnceWhereItFirstAppears) {
    ScanDifference d = CompareNotes(Names{"Zed"}, Names{"Zed", "Note", "b", "NOTE", "B"});
    EXPECT_EQ(d.added, (Names{"Note", "b"}));
    EXPECT_TRUE(d.vanished.empty());
}

}  // namespace

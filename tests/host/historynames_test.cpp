// Where the history store keeps a note's versions and deleted notes, and
// the name a deleted note comes back under.
#include "notebook/historynames.h"
#include "notebook/restoredname.h"

#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "util/lfile.h"

namespace {

std::string BookFolderName(const char* folder) {
    char out[LFILE_PATH];
    HistoryBookFolderName(folder, out);
    return out;
}

std::string NoteFolderName(const char* name) {
    char out[LFILE_PATH];
    HistoryNoteFolderName(name, out);
    return out;
}

bool WholeUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        unsigned char c = (unsigned char)s[i];
        size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (size_t k = 1; k < n; ++k)
            if (((unsigned char)s[i + k] & 0xC0) != 0x80)
                return false;
        i += n;
    }
    return true;
}

// Two books whose folders have the same last name keep apart; one folder
// spelled another way (letter case, slashes, a closing separator) is one.
TEST(HistoryNames, EachBookFolderHasAFolderOfItsOwn) {
    std::string a = BookFolderName("C:\\Work\\Notes");
    std::string b = BookFolderName("\\\\server\\share\\Notes");
    EXPECT_EQ(a.substr(0, 6), "Notes ");
    EXPECT_EQ(b.substr(0, 6), "Notes ");
    EXPECT_NE(a, b);
    // The file system takes the two for one folder, and so does the store.
    EXPECT_EQ(HistoryKey("c:/work/NOTES\\"), HistoryKey("C:\\Work\\Notes"));
    EXPECT_EQ(BookFolderName("D:\\").substr(0, 5), "Book ");
}

// Names that share their first 32 bytes are told apart by the key; the cut
// never splits a character.
TEST(HistoryNames, LongNamesAreCutBetweenCharactersAndStayApart) {
    std::string start(31, 'x');
    std::string one = NoteFolderName((start + "\xC3\xA9 one").c_str());
    std::string two = NoteFolderName((start + "\xC3\xA9 two").c_str());
    EXPECT_NE(one, two);
    EXPECT_EQ(one.substr(0, 32), start + " ");
    EXPECT_TRUE(WholeUtf8(one));
}

TEST(HistoryNames, EntriesAreNamedByTheirTimeAndAttempt) {
    HistoryStamp stamp = {2026, 12, 7, 9, 5, 3};
    char out[LFILE_PATH];
    HistoryEntryName(stamp, 1, NULL, out);
    EXPECT_STREQ(out, "2026-12-07 09-05-03");
    HistoryEntryName(stamp, 2, "Shopping", out);
    EXPECT_STREQ(out, "2026-12-07 09-05-03 2 Shopping");
    HistoryStamp back = {0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(HistoryStampParse(out, &back));
    EXPECT_EQ(memcmp(&back, &stamp, sizeof stamp), 0);
    EXPECT_FALSE(HistoryStampParse("2026-12-07 09-05", &back));
    EXPECT_FALSE(HistoryStampParse("2026-13-07 09-05-03", &back));
    EXPECT_FALSE(HistoryStampParse("notes.txt", &back));
}

TEST(RestoredName, TakenNamesGetRestoredAndANumber) {
    char out[LFILE_PATH];
    ASSERT_TRUE(RestoredNoteName("C:\\Book", "Shopping", 0, out));
    EXPECT_STREQ(out, "Shopping");
    ASSERT_TRUE(RestoredNoteName("C:\\Book", "Shopping", 1, out));
    EXPECT_STREQ(out, "Shopping (restored)");
    ASSERT_TRUE(RestoredNoteName("C:\\Book", "Shopping", 2, out));
    EXPECT_STREQ(out, "Shopping (restored 2)");
}

// With the folder, the name, its suffix and ".txt" must make a path.
TEST(RestoredName, ALongNameIsCutToFitItsFolder) {
    std::string folder = "C:\\" + std::string(200, 'f');
    std::string name = std::string(40, 'n') + "\xE6\x97\xA5" + std::string(20, 'n');
    char out[LFILE_PATH];
    ASSERT_TRUE(RestoredNoteName(folder.c_str(), name.c_str(), 3, out));
    std::string got = out;
    EXPECT_EQ(got.substr(got.size() - 13), " (restored 3)");
    EXPECT_LE(folder.size() + 1 + got.size() + 4, (size_t)LFILE_PATH_MAX_CHARS);
    EXPECT_TRUE(WholeUtf8(got));
    std::string full(250, 'f');
    EXPECT_FALSE(RestoredNoteName(full.c_str(), "Shopping", 1, out));
}

}  // namespace

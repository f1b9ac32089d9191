// Setup-file layout, checksum, target paths and run modes.
#include "installer/setuplayout.h"

#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "util/lfile.h"

namespace {

typedef std::vector<unsigned char> Bytes;

void AppendLE32(Bytes* b, uint32_t v) {
    unsigned char p[4];
    WriteLE32(p, v);
    b->insert(b->end(), p, p + 4);
}

// A setup file laid out by hand: data, sizes, checksum, trailer.
Bytes Layout(const Bytes& data, const std::vector<int32_t>& sizes, uint32_t checksum,
             uint32_t trailer = SETUP_TRAILER_INSTALL) {
    Bytes file = data;
    for (int32_t s : sizes)
        AppendLE32(&file, (uint32_t)s);
    AppendLE32(&file, checksum);
    AppendLE32(&file, trailer);
    return file;
}

std::string Target(const char* folder, const char* key, const char* name) {
    SetupFileEntry e = {key, name};
    char out[LFILE_PATH];
    memset(out, 'x', sizeof out);
    SetupTargetPath(folder, e, out);
    return out;
}

TEST(SetupTrailer, ReadsLittleEndian) {
    const unsigned char install[] = {0xF0, 0xF0, 0x0F, 0x0F};
    const unsigned char uninstall[] = {0x0F, 0x0F, 0xF0, 0xF0};
    EXPECT_EQ(ReadLE32(install), SETUP_TRAILER_INSTALL);
    EXPECT_EQ(ReadLE32(uninstall), SETUP_TRAILER_UNINSTALL);
    const unsigned char mixed[] = {0x01, 0x02, 0x03, 0x84};
    EXPECT_EQ(ReadLE32(mixed), 0x84030201u);

    unsigned char out[4];
    WriteLE32(out, SETUP_TRAILER_INSTALL);
    EXPECT_EQ(0, memcmp(out, install, 4));
}

TEST(SetupFiles, TableHoldsTheFiveInstalledFiles) {
    ASSERT_EQ(SetupEntryCount(), 5);
    EXPECT_STREQ(SETUP_FILES[0].fileName, "jotwell.exe");
    EXPECT_EQ(SETUP_FILES[0].folderKey, nullptr);
    EXPECT_STREQ(SETUP_FILES[1].fileName, "jotwell.hlp");
    EXPECT_STREQ(SETUP_FILES[4].folderKey, "Useful Web Links");
    EXPECT_EQ(SETUP_FILES[5].fileName, nullptr);

    const SetupFileEntry empty[] = {{0, 0}};
    EXPECT_EQ(SetupEntryCount(empty), 0);
    // A table without its end marker is still read as at most 128 entries.
    std::vector<SetupFileEntry> endless(200, SetupFileEntry{0, "a"});
    EXPECT_EQ(SetupEntryCount(endless.data()), SETUP_MAX_ENTRIES);
}

TEST(SetupChecksum, SumsBytesModulo2To32) {
    const unsigned char abc[] = {0x61, 0x62, 0x63};
    EXPECT_EQ(SetupChecksumAdd(0, abc, 3), 0x126u);
    EXPECT_EQ(SetupChecksumSubtract(0x126u, abc, 3), 0u);
    EXPECT_EQ(SetupChecksumSubtract(0x127u, abc, 3), 1u);

    // Bytes count unsigned, and the sum wraps past 2^32.
    const unsigned char ff[] = {0xFF, 0xFF};
    EXPECT_EQ(SetupChecksumAdd(0xFFFFFFF0u, ff, 2), 0x1EEu);
    EXPECT_EQ(SetupChecksumSubtract(0x1EEu, ff, 2), 0xFFFFFFF0u);
    EXPECT_EQ(SetupChecksumSubtract(0, abc, 3), 0u - 0x126u);
}

TEST(SetupChecksum, ChunkedEqualsWhole) {
    // 17 MB of 0xFF sum to more than 2^32.
    Bytes data(17u << 20, 0xFF);
    uint32_t whole = SetupChecksumAdd(0, data.data(), data.size());
    EXPECT_EQ(whole, (uint32_t)(uint64_t(data.size()) * 0xFF));
    uint32_t chunked = 0;
    uint32_t check = whole;
    for (size_t at = 0; at < data.size(); at += SETUP_CHUNK) {
        chunked = SetupChecksumAdd(chunked, &data[at], SETUP_CHUNK);
        check = SetupChecksumSubtract(check, &data[at], SETUP_CHUNK);
    }
    EXPECT_EQ(chunked, whole);
    EXPECT_EQ(check, 0u);
}

TEST(SetupTail, ParsesSizesChecksumAndTrailer) {
    Bytes file = Layout(Bytes{'p', 'a', 'b'}, {1, 0, -5, 2, 0x7FFFFFFF}, 0xDEADBEEF);
    SetupTail t;
    ASSERT_TRUE(SetupParseTail(file.data(), file.size(), 5, &t));
    EXPECT_EQ(t.count, 5);
    EXPECT_EQ(t.sizes[0], 1);
    EXPECT_EQ(t.sizes[1], 0);
    EXPECT_EQ(t.sizes[2], -5);
    EXPECT_EQ(t.sizes[4], 0x7FFFFFFF);
    EXPECT_EQ(t.checksum, 0xDEADBEEFu);
    EXPECT_EQ(t.trailer, SETUP_TRAILER_INSTALL);

    // Only the last 4*(n+2) bytes count: a longer buffer reads the same.
    EXPECT_EQ(SetupTailLength(5), 28);
    Bytes tailOnly(file.end() - 28, file.end());
    SetupTail u;
    ASSERT_TRUE(SetupParseTail(tailOnly.data(), tailOnly.size(), 5, &u));
    EXPECT_EQ(0, memcmp(t.sizes, u.sizes, 5 * sizeof t.sizes[0]));
    EXPECT_EQ(u.checksum, t.checksum);
    EXPECT_EQ(u.trailer, t.trailer);
    EXPECT_EQ(SetupSizeBlockOffset((int64_t)file.size(), 5), 3);
}

TEST(SetupTail, RejectsShortFilesAndBadCounts) {
    Bytes file = Layout(Bytes{}, {1, 2, 3, 4, 5}, 0);
    SetupTail t;
    EXPECT_TRUE(SetupParseTail(file.data(), 28, 5, &t));
    EXPECT_FALSE(SetupParseTail(file.data(), 27, 5, &t));
    EXPECT_FALSE(SetupParseTail(file.data(), 0, 5, &t));
    EXPECT_LT(SetupSizeBlockOffset(27, 5), 0);

    Bytes big(4 * (SETUP_MAX_ENTRIES + 3));
    EXPECT_TRUE(SetupParseTail(big.data(), big.size(), SETUP_MAX_ENTRIES, &t));
    EXPECT_FALSE(SetupParseTail(big.data(), big.size(), SETUP_MAX_ENTRIES + 1, &t));
    EXPECT_FALSE(SetupParseTail(big.data(), big.size(), 0, &t));
    EXPECT_FALSE(SetupParseTail(big.data(), big.size(), -1, &t));
}

TEST(SetupSizes, EmptyAndNegativeEntriesOccupyNoBytes) {
    const int32_t sizes[] = {3, 0, -7, 2, 1};
    EXPECT_EQ(SetupEntryOffset(sizes, 0), 0);
    EXPECT_EQ(SetupEntryOffset(sizes, 1), 3);
    EXPECT_EQ(SetupEntryOffset(sizes, 3), 3);
    EXPECT_EQ(SetupEntryOffset(sizes, 4), 5);
    EXPECT_EQ(SetupEntryOffset(sizes, 5), 6);
    // The progress total takes every size as it stands.
    EXPECT_EQ(SetupTotalSize(sizes, 5), (uint32_t)-1);

    const int32_t huge[] = {0x7FFFFFFF, 0x7FFFFFFF, 2};
    EXPECT_EQ(SetupEntryOffset(huge, 3), int64_t(0xFFFFFFFF) + 1);
    EXPECT_EQ(SetupTotalSize(huge, 3), 0u);
}

TEST(SetupChecksumMatches, CoversTheDataOfPositiveEntriesOnly) {
    // Entries: "ab", empty, negative, "c": only 'a' 'b' 'c' are data.
    Bytes file = Layout(Bytes{'a', 'b', 'c'}, {2, 0, -4, 1, 0}, 0x126);
    EXPECT_TRUE(SetupChecksumMatches(file.data(), file.size(), 5));

    Bytes changed = file;
    changed[1] ^= 0x01;
    EXPECT_FALSE(SetupChecksumMatches(changed.data(), changed.size(), 5));

    // The checksum field is not covered, so a wrong stored value fails.
    Bytes wrong = Layout(Bytes{'a', 'b', 'c'}, {2, 0, -4, 1, 0}, 0x127);
    EXPECT_FALSE(SetupChecksumMatches(wrong.data(), wrong.size(), 5));

    // Sizes claiming more than the file: extraction reads to the end of the
    // file, size block included, and the check fails.
    Bytes over = Layout(Bytes{'a', 'b', 'c'}, {1000, 0, 0, 0, 0}, 0x126);
    EXPECT_FALSE(SetupChecksumMatches(over.data(), over.size(), 5));

    // A stored value near 2^32 that the data wraps to 0.
    Bytes ff(0x10, 0xFF);
    Bytes wrap = Layout(ff, {0x10, 0, 0, 0, 0}, 0x10u * 0xFF);
    EXPECT_TRUE(SetupChecksumMatches(wrap.data(), wrap.size(), 5));

    EXPECT_FALSE(SetupChecksumMatches(file.data(), 27, 5));
}

TEST(SetupTargetPath, ProgramFolderKeysJoinWithTheFileName) {
    EXPECT_EQ(Target("C:\\Prog\\Jotwell", 0, "jotwell.exe"), "C:\\Prog\\Jotwell\\jotwell.exe");
    EXPECT_EQ(Target("C:\\Prog\\Jotwell\\", 0, "jotwell.hlp"), "C:\\Prog\\Jotwell\\jotwell.hlp");
    EXPECT_EQ(Target("C:\\J", "ProgramFiles", "a.txt"), "C:\\J\\a.txt");
    EXPECT_EQ(Target("C:\\J", "DataFiles", "a.txt"), "C:\\J\\a.txt");
    EXPECT_TRUE(SetupKeyIsProgramFolder(0));
    EXPECT_FALSE(SetupKeyIsProgramFolder(""));
}

TEST(SetupTargetPath, OtherKeysNameASubfolderCaseSensitively) {
    EXPECT_EQ(Target("C:\\J", "PhoneBook", "template._txt"), "C:\\J\\PhoneBook\\template._txt");
    EXPECT_EQ(Target("C:\\J", "Useful Web Links", "Software Links.txt"),
              "C:\\J\\Useful Web Links\\Software Links.txt");
    EXPECT_EQ(Target("C:\\J", "programfiles", "a.txt"), "C:\\J\\programfiles\\a.txt");
    EXPECT_EQ(Target("C:\\J", "DATAFILES", "a.txt"), "C:\\J\\DATAFILES\\a.txt");
    // Joined as it stands: no separator is dropped.
    EXPECT_EQ(Target("C:\\J\\", "PhoneBook", "a.txt"), "C:\\J\\\\PhoneBook\\a.txt");
}

TEST(SetupTargetPath, CutsAt259Characters) {
    std::string folder(250, 'f');
    std::string sub = Target(folder.c_str(), "PhoneBook", "template._txt");
    EXPECT_EQ(sub, (folder + "\\PhoneBook\\template._txt").substr(0, 259));
    std::string plain = Target(folder.c_str(), 0, "template._txt");
    EXPECT_EQ(plain, (folder + "\\template._txt").substr(0, 259));

    std::string full(300, 'g');
    EXPECT_EQ(Target(full.c_str(), "PhoneBook", "a").size(), 259u);
    EXPECT_EQ(Target(full.c_str(), 0, "a"), full.substr(0, 259));
}

TEST(SetupNameRule, SetupInTheTitleNeedsTheInstallTrailer) {
    EXPECT_TRUE(SetupTitleNamesSetup("MySetup"));
    EXPECT_TRUE(SetupTitleNamesSetup("setup"));
    EXPECT_TRUE(SetupTitleNamesSetup("jotwell-SeTuP-1.02"));
    EXPECT_TRUE(SetupTitleNamesSetup("sesetup"));
    EXPECT_FALSE(SetupTitleNamesSetup("set up"));
    EXPECT_FALSE(SetupTitleNamesSetup("setu"));
    EXPECT_FALSE(SetupTitleNamesSetup("Jotwell"));
    EXPECT_FALSE(SetupTitleNamesSetup(""));

    EXPECT_TRUE(SetupIsCorruptName(SETUP_TRAILER_PROGRAM, "MySetup"));
    EXPECT_TRUE(SetupIsCorruptName(SETUP_TRAILER_UNINSTALL, "uninst-setup"));
    EXPECT_TRUE(SetupIsCorruptName(0x12345678u, "SETUP"));
    EXPECT_FALSE(SetupIsCorruptName(SETUP_TRAILER_INSTALL, "JotwellSetup"));
    EXPECT_FALSE(SetupIsCorruptName(0x12345678u, "jotwell"));
}

TEST(ChooseRunMode, TrailerChoosesTheModeAfterTheNameRule) {
    EXPECT_EQ(ChooseRunMode(SETUP_TRAILER_INSTALL, "JotwellSetup"), RUN_INSTALL);
    EXPECT_EQ(ChooseRunMode(SETUP_TRAILER_INSTALL, "jotwell"), RUN_INSTALL);
    EXPECT_EQ(ChooseRunMode(SETUP_TRAILER_UNINSTALL, "uninst"), RUN_UNINSTALL);
    EXPECT_EQ(ChooseRunMode(SETUP_TRAILER_UNINSTALL, "MySetup"), RUN_CORRUPT_SETUP);
    EXPECT_EQ(ChooseRunMode(SETUP_TRAILER_PROGRAM, "jotwell"), RUN_NOTES);
    EXPECT_EQ(ChooseRunMode(SETUP_TRAILER_PROGRAM, "MySetup"), RUN_CORRUPT_SETUP);
    EXPECT_EQ(ChooseRunMode(0xDEADBEEFu, "jotwell"), RUN_NOTES);
    EXPECT_EQ(ChooseRunMode(0xF00F0FF0u, "jotwell"), RUN_NOTES);
}

}  // namespace

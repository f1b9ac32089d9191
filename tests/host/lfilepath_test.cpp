// Path and file-name rules.
#include "util/lfile.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <string>

namespace {

std::string Cat(const std::string& base, const char* part) {
    char buf[LFILE_PATH];
    snprintf(buf, sizeof buf, "%s", base.c_str());
    LFile::FilePathCat(buf, part);
    return buf;
}

template <void (*F)(char*, const char*)>
std::string Split(const char* path) {
    char buf[LFILE_PATH];
    memset(buf, 'x', sizeof buf);
    F(buf, path);
    return buf;
}

TEST(FilePathCat, JoinsWithOneBackslash) {
    EXPECT_EQ(Cat("C:\\Books", "Diary"), "C:\\Books\\Diary");
    EXPECT_EQ(Cat("C:\\Books\\", "Diary"), "C:\\Books\\Diary");
    EXPECT_EQ(Cat("C:/Books/", "Diary"), "C:/Books/Diary");
    EXPECT_EQ(Cat("", "Diary"), "Diary");
}

TEST(FilePathCat, CutsAtTheLimit) {
    std::string p259(259, 'a');
    EXPECT_EQ(Cat(p259, "Diary"), p259);

    std::string p258(258, 'a');
    EXPECT_EQ(Cat(p258, "Diary"), p258 + "\\");

    std::string p250(250, 'a');
    std::string joined = Cat(p250, "0123456789");
    EXPECT_EQ(joined.size(), 259u);
    EXPECT_EQ(joined, p250 + "\\" + "01234567");
}

TEST(FilePathCatExt, AppendsNameAndExtensionAsOneComponent) {
    char buf[LFILE_PATH] = "C:\\Books\\Diary";
    EXPECT_TRUE(LFile::FilePathCatExt(buf, "Monday", ".txt"));
    EXPECT_STREQ(buf, "C:\\Books\\Diary\\Monday.txt");
}

// A name that would lose part of its extension is refused, never cut.
TEST(FilePathCatExt, RefusesWhatDoesNotFitWhole) {
    char buf[LFILE_PATH];
    std::string p252(252, 'a');
    snprintf(buf, sizeof buf, "%s", p252.c_str());
    EXPECT_TRUE(LFile::FilePathCatExt(buf, "ab", ".txt"));
    EXPECT_EQ(std::string(buf), p252 + "\\ab.txt");

    std::string p255(255, 'a');
    snprintf(buf, sizeof buf, "%s", p255.c_str());
    EXPECT_FALSE(LFile::FilePathCatExt(buf, "ab", ".txt"));
    EXPECT_EQ(std::string(buf), p255);

    std::string p259(259, 'a');
    snprintf(buf, sizeof buf, "%s", p259.c_str());
    EXPECT_FALSE(LFile::FilePathCatExt(buf, "ab", ".txt"));
    EXPECT_EQ(std::string(buf), p259);
}

TEST(GetFolderFromPath, CutsAtTheLastSeparator) {
    EXPECT_EQ(Split<LFile::_GetFolderFromPath>("C:\\Books\\Diary\\x.txt"), "C:\\Books\\Diary");
    EXPECT_EQ(Split<LFile::_GetFolderFromPath>("C:/a/b.txt"), "C:/a");
    EXPECT_EQ(Split<LFile::_GetFolderFromPath>("x.txt"), "");
    EXPECT_EQ(Split<LFile::_GetFolderFromPath>("\\x.txt"), "");
    EXPECT_EQ(Split<LFile::_GetFolderFromPath>("C:\\a\\"), "C:\\a");
}

TEST(GetFolderFromPath, LongPathStaysInsideTheBuffer) {
    std::string longPath = std::string(300, 'a') + "\\x.txt";
    EXPECT_EQ(Split<LFile::_GetFolderFromPath>(longPath.c_str()), "");
    std::string mixed = std::string(100, 'a') + "\\" + std::string(300, 'b');
    EXPECT_EQ(Split<LFile::_GetFolderFromPath>(mixed.c_str()), std::string(100, 'a'));
}

TEST(GetFileFromPath, KeepsTheTextAfterTheLastSeparator) {
    EXPECT_EQ(Split<LFile::_GetFileFromPath>("C:\\Books\\Diary\\x.txt"), "x.txt");
    EXPECT_EQ(Split<LFile::_GetFileFromPath>("C:/a/b.txt"), "b.txt");
    EXPECT_EQ(Split<LFile::_GetFileFromPath>("x.txt"), "x.txt");
    EXPECT_EQ(Split<LFile::_GetFileFromPath>("C:\\a\\"), "");
    std::string longName(300, 'n');
    EXPECT_EQ(Split<LFile::_GetFileFromPath>(("C:\\" + longName).c_str()), std::string(259, 'n'));
}

TEST(GetFileTitleFromPath, CutsTheExtension) {
    EXPECT_EQ(Split<LFile::_GetFileTitleFromPath>("C:\\x\\notes.old.txt"), "notes.old");
    EXPECT_EQ(Split<LFile::_GetFileTitleFromPath>(".txt"), ".txt");
    EXPECT_EQ(Split<LFile::_GetFileTitleFromPath>("readme"), "readme");
    EXPECT_EQ(Split<LFile::_GetFileTitleFromPath>("C:\\a.b\\notes"), "notes");
    EXPECT_EQ(Split<LFile::_GetFileTitleFromPath>("\\\\server\\share\\Team.Notes"), "Team");
}

TEST(PathRules, WorkInPlace) {
    char buf[LFILE_PATH] = "C:\\Books\\Budget.2009.txt";
    LFile::_GetFileTitleFromPath(buf, buf);
    EXPECT_STREQ(buf, "Budget.2009");
    char folder[LFILE_PATH] = "C:\\Books\\x.txt";
    LFile::_GetFolderFromPath(folder, folder);
    EXPECT_STREQ(folder, "C:\\Books");
}

TEST(MakeValidFileName, DropsIllegalCharacters) {
    char out[LFILE_PATH];
    EXPECT_TRUE(LFile::MakeValidFileName("What? Now: 1/2", out));
    EXPECT_STREQ(out, "What Now 12");
    EXPECT_TRUE(LFile::MakeValidFileName("Shopping: list", out));
    EXPECT_STREQ(out, "Shopping list");
    EXPECT_TRUE(LFile::MakeValidFileName("a.b", out));
    EXPECT_STREQ(out, "ab");
    EXPECT_TRUE(LFile::MakeValidFileName("\"a*b<c>d|e\\f\tg", out));
    EXPECT_STREQ(out, "abcdefg");
}

TEST(MakeValidFileName, RefusesNamesWithNothingLeft) {
    char out[LFILE_PATH] = "old";
    EXPECT_FALSE(LFile::MakeValidFileName("...", out));
    EXPECT_STREQ(out, "");
    EXPECT_FALSE(LFile::MakeValidFileName("./\\//", out));
    EXPECT_FALSE(LFile::MakeValidFileName("", out));
}

// Names are UTF-8: every language's letters stay, and a name cut to fit is
// never cut inside a character.
TEST(MakeValidFileName, KeepsLettersOfEveryLanguageWhole) {
    char out[LFILE_PATH];
    EXPECT_TRUE(LFile::MakeValidFileName("Gr\xC3\xBC\xC3\x9F" "e: \xE6\x9D\xB1\xE4\xBA\xAC.", out));
    EXPECT_STREQ(out, "Gr\xC3\xBC\xC3\x9F" "e \xE6\x9D\xB1\xE4\xBA\xAC");
    std::string longName = std::string(257, 'a') + "\xE6\x9D\xB1" "b";
    EXPECT_TRUE(LFile::MakeValidFileName(longName.c_str(), out));
    EXPECT_EQ(std::string(out), std::string(257, 'a'));
}

TEST(MakeValidFileName, KeepsAtMost259Characters) {
    char out[LFILE_PATH];
    std::string longName = std::string(300, 'a') + "...b";
    EXPECT_TRUE(LFile::MakeValidFileName(longName.c_str(), out));
    EXPECT_EQ(std::string(out), std::string(259, 'a'));
}

}  // namespace

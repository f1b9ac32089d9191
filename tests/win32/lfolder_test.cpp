// Files made, opened and deleted relative to a held folder's handle.
#include <gtest/gtest.h>

#include <string>

#include "tests/win32/installkit.h"
#include "tests/win32/testkit.h"
#include "util/lfolder.h"

using testkit::FileExists;
using testkit::ReadFileText;

namespace {

// Writes text to a new file made through the hold.
bool CreateIn(LFolderHold* hold, const char* name, const std::string& text) {
    return testkit::WriteAndClose(hold->CreateFileIn(name, GENERIC_WRITE, NULL), text);
}

class FolderHold : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryA(book.c_str(), NULL));
        ASSERT_TRUE(hold.Hold(book.c_str()));
    }
    testkit::TempDir dir;
    std::string book = dir.File("Book");
    LFolderHold hold;
};

TEST_F(FolderHold, MakesAndDeletesFilesInTheFolder) {
    ASSERT_TRUE(CreateIn(&hold, "Korvane.txt", "Name: Korvane"));
    EXPECT_EQ(ReadFileText(book + "\\Korvane.txt"), "Name: Korvane");
    EXPECT_FALSE(CreateIn(&hold, "Korvane.txt", "other")) << "an existing file is not replaced";

    HANDLE file = hold.OpenFileIn("korvane.TXT", DELETE);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(LFolderHold::DeleteOpenFile(file));
    CloseHandle(file);
    EXPECT_FALSE(FileExists(book + "\\Korvane.txt"));

    EXPECT_EQ(hold.OpenFileIn("Korvane.txt", GENERIC_READ), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
}

TEST_F(FolderHold, RefusesNamesThatLeaveTheFolder) {
    ASSERT_TRUE(CreateDirectoryA((book + "\\Sub").c_str(), NULL));
    ASSERT_TRUE(testkit::WriteFileText(dir.File("Outside.txt"), "system file"));
    for (const char* name : {"..\\Escaped.txt", "Sub\\Deeper.txt", "Sub/Deeper.txt", "..",
                             "Korvane.txt:stream", ""})
        EXPECT_FALSE(CreateIn(&hold, name, "x")) << name;
    EXPECT_FALSE(FileExists(dir.File("Escaped.txt")));
    EXPECT_FALSE(FileExists(book + "\\Sub\\Deeper.txt"));
    EXPECT_FALSE(FileExists(book + "\\Korvane.txt"));
    EXPECT_EQ(hold.OpenFileIn("..\\Outside.txt", GENERIC_READ), INVALID_HANDLE_VALUE);
}

// The folder's path made to lead elsewhere after it was held: the files
// still go into the held folder, and what has their name elsewhere is
// neither opened nor deleted.
TEST_F(FolderHold, NamesStayInTheHeldFolderWhenItsPathLeadsElsewhere) {
    std::string victim = dir.File("Victim"), moved = dir.File("Moved");
    ASSERT_TRUE(CreateDirectoryA(victim.c_str(), NULL));
    ASSERT_TRUE(testkit::WriteFileText(victim + "\\Korvane.txt", "system file"));
    ASSERT_TRUE(installkit::SwapFolderForLink(book, moved, victim));

    EXPECT_EQ(hold.OpenFileIn("Korvane.txt", GENERIC_READ | DELETE), INVALID_HANDLE_VALUE);
    ASSERT_TRUE(CreateIn(&hold, "Notes.txt", "sample"));
    EXPECT_EQ(ReadFileText(moved + "\\Notes.txt"), "sample");
    EXPECT_FALSE(FileExists(victim + "\\Notes.txt"));
    EXPECT_EQ(ReadFileText(victim + "\\Korvane.txt"), "system file");
}

}  // namespace

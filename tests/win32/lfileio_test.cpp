// Whole-file reading and writing, and folder deletion, on the real file API.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/win32/testkit.h"
#include "util/lfile.h"
#include "util/lowned.h"

using testkit::TempDir;

namespace {

int CountFiles(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &fd);
    int n = 0;
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (fd.cFileName[0] != '.')
            ++n;
    } while (FindNextFileA(find, &fd));
    FindClose(find);
    return n;
}

TEST(ReadTextFile, ReadsAtMost65536Bytes) {
    TempDir dir;
    std::string big(100000, 'x');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = (char)('a' + i % 26);
    ASSERT_TRUE(testkit::WriteFileText(dir.File("big.txt"), big));
    size_t size = 0;
    std::unique_ptr<char[]> text = LFile::ReadTextFile(dir.File("big.txt").c_str(), &size);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(size, 65536u);
    EXPECT_EQ(std::string(text.get()), big.substr(0, 65536));
}

TEST(ReadTextFile, EmptyOrMissingFileGivesNothing) {
    TempDir dir;
    ASSERT_TRUE(testkit::WriteFileText(dir.File("empty.txt"), ""));
    EXPECT_EQ(LFile::ReadTextFile(dir.File("empty.txt").c_str()), nullptr);
    EXPECT_EQ(LFile::ReadTextFile(dir.File("missing.txt").c_str()), nullptr);
}

TEST(WriteTextFile, CreatesAndReplacesWithoutLeavingTemporaryFiles) {
    TempDir dir;
    std::string path = dir.File("note.txt");
    EXPECT_TRUE(LFile::WriteTextFile(path.c_str(), "first\r\nversion"));
    EXPECT_EQ(testkit::ReadFileText(path), "first\r\nversion");
    EXPECT_TRUE(LFile::WriteTextFile(path.c_str(), "second"));
    EXPECT_EQ(testkit::ReadFileText(path), "second");
    EXPECT_TRUE(LFile::WriteTextFile(path.c_str(), ""));
    EXPECT_EQ(testkit::ReadFileText(path), "");
    EXPECT_EQ(CountFiles(dir.path()), 1);
}

TEST(WriteTextFile, FailedReplacementKeepsTheOldContentWhole) {
    TempDir dir;
    std::string path = dir.File("note.txt");
    ASSERT_TRUE(testkit::WriteFileText(path, "old content that must survive"));
    // Another program holds the file open, letting others only read it.
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(LFile::WriteTextFile(path.c_str(), "new"));
    CloseHandle(holder);
    EXPECT_EQ(testkit::ReadFileText(path), "old content that must survive");
    EXPECT_EQ(CountFiles(dir.path()), 1) << "the temporary file was left behind";
}

TEST(WriteTextFile, ReportsAFolderThatDoesNotExist) {
    TempDir dir;
    EXPECT_FALSE(LFile::WriteTextFile(dir.File("missing\\note.txt").c_str(), "text"));
}

TEST(WriteTextFile, KeepsTheTargetsAttributes) {
    TempDir dir;
    std::string path = dir.File("hidden.txt");
    ASSERT_TRUE(testkit::WriteFileText(path, "a"));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(LFile::WriteTextFile(path.c_str(), "b"));
    EXPECT_EQ(testkit::ReadFileText(path), "b");
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

// Someone watching the folder during saves always finds the note: the new
// version takes the old one's place in one step.
TEST(WriteTextFile, TheNoteIsNeverMissingDuringASave) {
    TempDir dir;
    std::string path = dir.File("note.txt");
    ASSERT_TRUE(LFile::WriteTextFile(path.c_str(), "first"));
    std::atomic<bool> saving(true);
    int missing = 0;
    std::thread watcher([&] {
        while (saving)
            if (!testkit::FileExists(path))
                ++missing;
    });
    for (int i = 0; i < 300; ++i)
        LFile::WriteTextFile(path.c_str(), i % 2 ? "first" : "second");
    saving = false;
    watcher.join();
    EXPECT_EQ(missing, 0);
}

// Temporary files of saves cut off a while ago go at the next save; a fresh
// one, one still being written, and other programs' files stay.
TEST(WriteTextFile, RemovesOnlyTheLeftoversOfCutOffSaves) {
    TempDir dir;
    const char* const files[] = {"~js00a1.tmp", "~js00a2.tmp", "~js00a3.tmp", "~jw00a4.tmp",
                                 "~js00a5.txt"};
    for (const char* name : files)
        ASSERT_TRUE(testkit::WriteFileText(dir.File(name), "cut off"));
    FILETIME old;
    GetSystemTimeAsFileTime(&old);
    old.dwHighDateTime -= 1;  // about seven minutes ago
    for (const char* name : {"~js00a1.tmp", "~js00a3.tmp", "~jw00a4.tmp", "~js00a5.txt"}) {
        HANDLE h = CreateFileA(dir.File(name).c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL,
                               OPEN_EXISTING, 0, NULL);
        SetFileTime(h, NULL, NULL, &old);
        CloseHandle(h);
    }
    HANDLE writing = CreateFileA(dir.File("~js00a3.tmp").c_str(), GENERIC_WRITE, 0, NULL,
                                 OPEN_EXISTING, 0, NULL);
    EXPECT_TRUE(LFile::WriteTextFile(dir.File("note.txt").c_str(), "text"));
    CloseHandle(writing);
    EXPECT_FALSE(testkit::FileExists(dir.File("~js00a1.tmp")));
    for (const char* name : {"~js00a2.tmp", "~js00a3.tmp", "~jw00a4.tmp", "~js00a5.txt"})
        EXPECT_TRUE(testkit::FileExists(dir.File(name))) << name;
    EXPECT_EQ(CountFiles(dir.path()), 5);
}

TEST(DeleteFolderAndFiles, RemovesFilesAndTheFolder) {
    TempDir dir;
    std::string folder = dir.File("book");
    CreateDirectoryA(folder.c_str(), NULL);
    testkit::WriteFileText(folder + "\\a.txt", "a");
    testkit::WriteFileText(folder + "\\template._txt", "t");
    EXPECT_TRUE(LFile::DeleteFolderAndFiles(folder.c_str()));
    EXPECT_FALSE(testkit::FileExists(folder));
}

TEST(DeleteFolderAndFiles, KeepsAFolderWithASubFolder) {
    TempDir dir;
    std::string folder = dir.File("book");
    CreateDirectoryA(folder.c_str(), NULL);
    CreateDirectoryA((folder + "\\inner").c_str(), NULL);
    testkit::WriteFileText(folder + "\\a.txt", "a");
    testkit::WriteFileText(folder + "\\inner\\b.txt", "b");
    EXPECT_FALSE(LFile::DeleteFolderAndFiles(folder.c_str()));
    EXPECT_FALSE(testkit::FileExists(folder + "\\a.txt"));
    EXPECT_TRUE(testkit::FileExists(folder + "\\inner\\b.txt"));
}

TEST(GetLastWriteTime, ChangesWhenTheFileIsRewritten) {
    TempDir dir;
    std::string path = dir.File("n.txt");
    testkit::WriteFileText(path, "a");
    unsigned long long first = 0, second = 0;
    ASSERT_TRUE(LFile::GetLastWriteTime(path.c_str(), &first));
    FILETIME later;
    later.dwLowDateTime = (DWORD)(first + 20000000ull);
    later.dwHighDateTime = (DWORD)((first + 20000000ull) >> 32);
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    SetFileTime(h, NULL, NULL, &later);
    CloseHandle(h);
    ASSERT_TRUE(LFile::GetLastWriteTime(path.c_str(), &second));
    EXPECT_NE(first, second);
    EXPECT_FALSE(LFile::GetLastWriteTime(dir.File("missing.txt").c_str(), &second));
}

}  // namespace

namespace {

HANDLE OpenAlone(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
}

// A file opened with no sharing shows whether a handle to it is still open.
TEST(LHandle, ClosesWhenItGoesOutOfScopeUnlessHandedOn) {
    TempDir dir;
    std::string path = dir.File("held.txt");
    ASSERT_TRUE(testkit::WriteFileText(path, "x"));
    {
        LHandle held(OpenAlone(path));
        ASSERT_TRUE(held.IsOpen());
        EXPECT_EQ(OpenAlone(path), INVALID_HANDLE_VALUE);
    }
    HANDLE kept;
    {
        LHandle held(OpenAlone(path));
        ASSERT_TRUE(held.IsOpen()) << "the first owner did not close its handle";
        kept = held.Release();
    }
    EXPECT_EQ(OpenAlone(path), INVALID_HANDLE_VALUE) << "a handle handed on was closed";
    CloseHandle(kept);
}

}  // namespace

// A note's file as other computers sharing its book see it: readers that
// never stand in their way, the version the editor stands on, and the turn
// that saves take.
#include "tests/win32/mainfixture.h"

#include <atomic>
#include <stdio.h>
#include <stdlib.h>
#include <thread>

#include "notebook/savingturn.h"

namespace {

class NoteFile : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SeedBooks("Other Notes");
    }
    std::string TurnFile() { return Book("Other Notes") + "\\~jslock.tmp"; }
};

TEST(OpenForReading, LetsAnotherComputerDeleteTheFileMeanwhile) {
    testkit::TempDir dir;
    std::string path = dir.File("A.txt");
    ASSERT_TRUE(testkit::WriteFileText(path, "text"));
    HANDLE reader = LFile::OpenForReading(path.c_str());
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(DeleteFileA(path.c_str())) << GetLastError();
    char buffer[8] = "";
    DWORD got = 0;
    EXPECT_TRUE(ReadFile(reader, buffer, sizeof buffer, &got, NULL));
    EXPECT_EQ(std::string(buffer, got), "text");
    CloseHandle(reader);
}

// Another computer replaces the note again and again, each version with a
// time of its own. However a load falls between two of them, the time the
// editor takes for its text is never that of a later version, which would
// be overwritten unseen.
TEST_F(NoteFile, TheKnownTimeIsNeverNewerThanTheTextShown) {
    WriteNote("Other Notes", "A", "v0");
    WriteNote("Other Notes", "B", "b");
    Open();
    std::string path = Note("Other Notes", "A"), tmp = Book("Other Notes") + "\\other.tmp";
    const unsigned long long base = 130000000000000000ull, second = 10000000ull;
    std::atomic<bool> stop(false);
    std::thread other([&] {
        for (int n = 1; !stop; ++n) {
            char text[16];
            snprintf(text, sizeof text, "v%d", n);
            testkit::WriteFileText(tmp, text);
            unsigned long long t = base + n * second;
            FILETIME ft = {(DWORD)t, (DWORD)(t >> 32)};
            HANDLE h = CreateFileA(tmp.c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0,
                                   NULL);
            SetFileTime(h, NULL, NULL, &ft);
            CloseHandle(h);
            while (!stop && !MoveFileExA(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
                Sleep(0);
        }
    });
    for (int load = 0; load < 40; ++load) {
        SelectNote("B");
        SelectNote("A");
        std::string shown = EditorText();
        NoteVersion version = dialog->KnownVersion();
        if (!version.known || shown.size() < 2 || shown == "v0")
            continue;
        unsigned long long known = version.time;
        EXPECT_LE((long long)((known - base) / second), atoll(shown.c_str() + 1)) << "load " << load;
    }
    stop = true;
    other.join();
}

// Watched by a tick the test gives: a turn file nobody renews is taken over
// whatever its stamp; one that cannot be removed is reported, with its path.
TEST(SavingTurn, ALeftoverTurnIsTakenAfterTheWatchAndAStuckOneIsReported) {
    testkit::TempDir dir;
    std::string note = dir.File("A.txt"), turnFile = dir.File("~jslock.tmp");
    SavingTurn turn;

    ASSERT_TRUE(testkit::WriteFileText(turnFile, ""));
    HANDLE h = CreateFileA(turnFile.c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
    FILETIME future;
    GetSystemTimeAsFileTime(&future);
    future.dwHighDateTime += 100;  // about five days ahead of this clock
    SetFileTime(h, NULL, NULL, &future);
    CloseHandle(h);
    EXPECT_EQ(turn.Take(note.c_str(), 1000), TURN_BUSY);
    EXPECT_EQ(turn.Take(note.c_str(), 3999), TURN_BUSY);
    EXPECT_EQ(turn.Take(note.c_str(), 4000), TURN_TAKEN);
    turn.Release();
    EXPECT_FALSE(testkit::FileExists(turnFile));

    // Seen when the typing began, the leftover is taken over at the save.
    ASSERT_TRUE(testkit::WriteFileText(turnFile, ""));
    turn.Notice(note.c_str(), 5000);
    EXPECT_EQ(turn.Take(note.c_str(), 8000), TURN_TAKEN);
    turn.Release();

    // A save that holds its turn open is waited for, up to the bound.
    HANDLE holder = CreateFileA(turnFile.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
    EXPECT_EQ(turn.Take(note.c_str(), 20000), TURN_BUSY);
    EXPECT_EQ(turn.Take(note.c_str(), 24000), TURN_BUSY);
    EXPECT_TRUE(testkit::FileExists(turnFile));
    EXPECT_EQ(turn.Take(note.c_str(), 50000), TURN_BLOCKED);
    EXPECT_EQ(turn.FilePath(), turnFile);
    CloseHandle(holder);
    DeleteFileA(turnFile.c_str());

    SavingTurn stuck;
    ASSERT_TRUE(CreateDirectoryA(turnFile.c_str(), NULL));
    EXPECT_EQ(stuck.Take(note.c_str(), 40000), TURN_BUSY);
    EXPECT_EQ(stuck.Take(note.c_str(), 50000), TURN_BLOCKED);
    EXPECT_TRUE(testkit::FileExists(turnFile));
    RemoveDirectoryA(turnFile.c_str());
}

// The save says what stands in its way and what to do, and saves once the
// way is clear.
TEST_F(NoteFile, ATurnThatCannotBeHadIsNamedToTheUser) {
    WriteNote("Other Notes", "A", "old");
    Open();
    ASSERT_TRUE(CreateDirectoryA(TurnFile().c_str(), NULL));
    dialog->savingTurn.watch = TurnWatch(0, 0);
    TypeInNote("new ");
    responder.Expect("Jotwell", IDOK);
    FireTimer(TIMER_SAVE);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_NE(responder.Seen()[0].text.find("\"" + TurnFile() + "\""), std::string::npos)
        << responder.Seen()[0].text;
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A")), "old");
    RemoveDirectoryA(TurnFile().c_str());
    FireTimer(TIMER_SAVE);
    EXPECT_EQ(testkit::ReadFileText(Note("Other Notes", "A")), "new old");
}

}  // namespace

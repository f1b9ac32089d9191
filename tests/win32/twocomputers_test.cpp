// One side of two computers sharing a book folder. The same program runs
// twice, in two Wine prefixes, as peer A and peer B (JW_PEER_ROLE), on the
// folder named by JW_SHARED_FOLDER; the peers keep step with signal files
// in a sub-folder that the note list never shows. Every wait for the other
// computer's change is the real scan timer: one scan period and a margin.
#include "tests/win32/mainfixture.h"

#include <algorithm>

#include "app/settings.h"
#include "resources/resource.h"

namespace {

const DWORD kScanWait = 25000;   // one scan period (20 s) and a margin
const DWORD kPeerWait = 120000;  // the other computer's whole step

std::string Env(const char* name) {
    char value[MAX_PATH] = "";
    GetEnvironmentVariableA(name, value, MAX_PATH);
    return value;
}

class TwoComputers : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        role_ = Env("JW_PEER_ROLE");
        shared_ = Env("JW_SHARED_FOLDER");
        if (role_.empty() || shared_.empty())
            GTEST_SKIP() << "run by tests/win32/twocomputers.sh with a peer";
        CreateDirectoryA((shared_ + "\\sync").c_str(), NULL);
        // A book that is empty when listed is not watched: the shared book
        // starts with a note, as a book in use does.
        testkit::WriteFileText(Shared("Welcome"), "Our shared notes");
        SettingsSetString("Books", "Book1", shared_.c_str());
        SettingsSetInt("Books", "Count", 1);
    }
    bool IsA() const { return role_ == "A"; }
    void Signal(const std::string& name) {
        testkit::WriteFileText(shared_ + "\\sync\\" + name, role_);
    }
    bool WaitSignal(const std::string& name) {
        return Pump([&] { return testkit::FileExists(shared_ + "\\sync\\" + name); }, kPeerWait);
    }
    std::string Shared(const std::string& note) { return shared_ + "\\" + note + ".txt"; }
    bool Listed(const std::string& note) {
        std::vector<std::string> names = ListedNotes();
        return std::find(names.begin(), names.end(), note) != names.end();
    }
    // The note as the user makes it: New Note, a name, some text, and the
    // save a few seconds later.
    void CreateNote(const std::string& name, const std::string& text) {
        Command(CM_NOTE_NEW);
        SetDlgItemTextA(dialog->hwnd, IDC_NOTE_NAME, name.c_str());
        TypeInNote(text);
        ASSERT_TRUE(Pump([&] { return testkit::ReadFileText(Shared(name)) == text; }, 15000));
    }
    // Everything the note's versions hold, the kept copies included.
    std::string AllVersions(const std::string& name) {
        std::string all;
        WIN32_FIND_DATAA fd;
        HANDLE find = FindFirstFileA((shared_ + "\\" + name + "*.txt").c_str(), &fd);
        if (find == INVALID_HANDLE_VALUE)
            return all;
        do
            all += testkit::ReadFileText(shared_ + "\\" + fd.cFileName) + "\n";
        while (FindNextFileA(find, &fd));
        FindClose(find);
        return all;
    }

    std::string role_, shared_;
};

TEST_F(TwoComputers, EachSeesTheOthersNotesAndNoTextIsLost) {
    Open();
    if (IsA()) {
        CreateNote("From A", "hello from A");
        CreateNote("Scratch", "to be deleted");
        SelectNote("From A");
        Signal("a-created");

        ASSERT_TRUE(WaitSignal("b-edited"));
        // B rewrote the note A has open: within one scan A is asked, and
        // reloads B's text.
        responder.Expect("Jotwell", IDYES);
        EXPECT_TRUE(Pump([&] { return EditorText() == "hello from A, and B"; }, kScanWait));
        Signal("a-reloaded");

        ASSERT_TRUE(WaitSignal("b-saw-reload"));
        SelectNote("Scratch");
        responder.Expect("Confirm Delete", IDOK);
        Command(CM_NOTE_DELETE);
        Signal("a-deleted");
    } else {
        ASSERT_TRUE(WaitSignal("a-created"));
        EXPECT_TRUE(Pump([&] { return Listed("From A") && Listed("Scratch"); }, kScanWait))
            << "A's new notes did not appear within one scan period";
        SelectNote("From A");
        EXPECT_EQ(EditorText(), "hello from A");
        SendMessageA(dialog->NoteText(), EM_SETSEL, 12, 12);
        TypeInNote(", and B");
        ASSERT_TRUE(Pump([&] {
            return testkit::ReadFileText(Shared("From A")) == "hello from A, and B";
        }, 15000));
        Signal("b-edited");
        ASSERT_TRUE(WaitSignal("a-reloaded"));
        Signal("b-saw-reload");

        ASSERT_TRUE(WaitSignal("a-deleted"));
        EXPECT_TRUE(Pump([&] { return !Listed("Scratch"); }, kScanWait))
            << "A's deleted note is still listed after one scan period";
    }

    // A edits the last line of a note while B changes its first line and
    // saves first: A's save merges both, with no question and no copy, and
    // B's next scan shows the merged note.
    const std::string plan = "one\r\ntwo\r\nthree\r\nfour\r\nfive";
    const std::string planMerged = "ONE\r\ntwo\r\nthree\r\nfour\r\nfive mine";
    if (IsA()) {
        CreateNote("Plan", plan);
        ASSERT_TRUE(WaitSignal("b-on-plan"));
        SendMessageA(dialog->NoteText(), EM_SETSEL, -1, -1);
        TypeInNote(" mine");
        KillTimer(dialog->hwnd, TIMER_SAVE);  // held until B has saved
        Signal("a-typed-plan");
        ASSERT_TRUE(WaitSignal("b-saved-plan"));
        FireTimer(TIMER_SAVE);
        EXPECT_EQ(testkit::ReadFileText(Shared("Plan")), planMerged);
        EXPECT_EQ(AllVersions("Plan"), planMerged + "\n") << "a copy was kept beside the note";
        EXPECT_EQ(EditorText(), planMerged);
        Signal("a-merged-plan");
    } else {
        EXPECT_TRUE(Pump([&] { return Listed("Plan"); }, kScanWait));
        SelectNote("Plan");
        Signal("b-on-plan");
        ASSERT_TRUE(WaitSignal("a-typed-plan"));
        SendMessageA(dialog->NoteText(), EM_SETSEL, 0, 3);
        TypeInNote("ONE");
        ASSERT_TRUE(Pump([&] {
            return testkit::ReadFileText(Shared("Plan")) == "ONE\r\ntwo\r\nthree\r\nfour\r\nfive";
        }, 15000));
        Signal("b-saved-plan");
        ASSERT_TRUE(WaitSignal("a-merged-plan"));
        responder.Expect("Jotwell", IDYES);
        EXPECT_TRUE(Pump([&] { return EditorText() == planMerged; }, kScanWait));
    }

    // Both type into the same note at the same time; whoever saves second
    // keeps the other's version beside its own.
    if (IsA())
        Signal("a-ready");
    else
        Signal("b-ready");
    ASSERT_TRUE(WaitSignal(IsA() ? "b-ready" : "a-ready"));
    SelectNote("From A");
    SendMessageA(dialog->NoteText(), EM_SETSEL, 0, 0);
    // Whoever is asked about the other's save, as often as it happens,
    // keeps its own text on screen.
    responder.Always("Jotwell", IDNO);
    TypeInNote(IsA() ? "[typed on A] " : "[typed on B] ");
    std::string mine = IsA() ? "[typed on A]" : "[typed on B]";
    // Saving at the same moment as the other computer can fail once; the
    // save is tried again a little later.
    EXPECT_TRUE(Pump([&] { return AllVersions("From A").find(mine) != std::string::npos; },
                     30000));
    Signal(IsA() ? "a-typed" : "b-typed");
    ASSERT_TRUE(WaitSignal(IsA() ? "b-typed" : "a-typed"));
    PumpFor(kScanWait);
    Close();
    std::string all = AllVersions("From A");
    EXPECT_NE(all.find("[typed on A]"), std::string::npos) << all;
    EXPECT_NE(all.find("[typed on B]"), std::string::npos) << all;
}

}  // namespace

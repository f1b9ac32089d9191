// Exit and Close from the tray menu while a job or a question is running on
// top of the main window: the window stays until that is over, then ends.
#include "tests/win32/mainfixture.h"

#include <string.h>

#include "features/findjob.h"
#include "resources/resource.h"

namespace {

class TrayExit : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SeedBooks("Other Notes");
        WriteNote("Other Notes", "A", "apple");
        WriteNote("Other Notes", "B", "banana");
    }
};

TEST_F(TrayExit, WaitsForTheFindJob) {
    Open();
    strcpy(dialog->szFindText, "cherry");
    dialog->iFindNoteIndex = 0;
    PostMessageA(dialog->hwnd, WM_COMMAND, CM_EXIT, 0);  // reaches the job's pump
    FindJob job(*dialog);
    EXPECT_EQ(job.Run(dialog->hwnd), FIND_NONE) << "the job ran to its end";
    EXPECT_TRUE(dialog->hwnd && IsWindow(dialog->hwnd));
    EXPECT_TRUE(Pump([this] { return dialog->hwnd == NULL; }, 5000)) << "then the program ends";
}

TEST_F(TrayExit, WaitsForTheQuestionOfTheScan) {
    Open();
    DeleteFileA(Note("Other Notes", "A").c_str());
    HWND main = dialog->hwnd;
    bool openWhileAsked = false;
    responder.Expect("Jotwell", [&](HWND box) {
        // Sent, so the menu's command has been handled when it returns.
        SendMessageA(main, WM_COMMAND, CM_CLOSE, 0);
        openWhileAsked = IsWindow(main) && IsWindow(box);
        PostMessageA(box, WM_COMMAND, IDYES, 0);
    });
    FireTimer(TIMER_SCAN);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_TRUE(openWhileAsked);
    EXPECT_TRUE(Pump([this] { return dialog->hwnd == NULL; }, 5000)) << "then the program ends";
}

}  // namespace

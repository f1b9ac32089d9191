// The progress dialog and its jobs.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "dialogs/lprogressdialog.h"
#include "tests/win32/testkit.h"

namespace {

// A job that runs a test body inside the progress window.
class ScriptedJob : public LProgressDialog {
public:
    explicit ScriptedJob(std::function<int(ScriptedJob&)> body)
        : LProgressDialog("Working"), body_(body) {}
    int MainFunction() override { return body_(*this); }

private:
    std::function<int(ScriptedJob&)> body_;
};

std::string Line(HWND window, int id) {
    return testkit::ControlText(window, id);
}

TEST(ProgressDialog, ShowsTextsAndWholePercentages) {
    ScriptedJob job([](ScriptedJob& j) {
        EXPECT_EQ(testkit::WindowText(j.hwnd), "Working");
        j.SetText("upper", 0);
        j.SetText("lower", 1);
        j.SetText("ignored", 2);
        EXPECT_EQ(Line(j.hwnd, 100), "upper");
        EXPECT_EQ(Line(j.hwnd, 101), "lower");
        j.SetProgress(0.5);
        EXPECT_EQ(SendDlgItemMessageA(j.hwnd, 102, PBM_GETPOS, 0, 0), 50);
        j.SetProgress(0.999);
        EXPECT_EQ(SendDlgItemMessageA(j.hwnd, 102, PBM_GETPOS, 0, 0), 99);
        EXPECT_FALSE(j.PumpMessages());
        return 7;
    });
    EXPECT_EQ(job.Run(NULL), 7);
    EXPECT_EQ(job.hwnd, (HWND)NULL);
}

TEST(ProgressDialog, CancelIsReportedByTheNextPump) {
    bool sawCancel = false;
    ScriptedJob job([&](ScriptedJob& j) {
        HWND window = j.hwnd;
        testkit::PressButton(window, IDCANCEL);
        sawCancel = j.PumpMessages();
        EXPECT_FALSE(IsWindow(window));
        EXPECT_TRUE(j.PumpMessages());
        j.SetText("after cancel", 0);  // ignored, no crash
        j.SetProgress(1.0);
        return 1;
    });
    EXPECT_EQ(job.Run(NULL), 1);
    EXPECT_TRUE(sawCancel);
}

TEST(ProgressDialog, DisablesTheOwnerWhileTheJobRuns) {
    HWND owner = CreateWindowA("STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, NULL, NULL,
                               NULL, NULL);
    bool disabled = false;
    ScriptedJob job([&](ScriptedJob&) {
        disabled = !IsWindowEnabled(owner);
        return 0;
    });
    job.Run(owner);
    EXPECT_TRUE(disabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST(ProgressDialog, AJobStillOpenIsNotRunAgain) {
    int nested = -1;
    ScriptedJob job([&](ScriptedJob& j) {
        HWND window = j.hwnd;
        nested = j.Run(NULL);  // the window is still open
        EXPECT_EQ(j.hwnd, window);
        return 3;
    });
    EXPECT_EQ(job.Run(NULL), 3);
    EXPECT_EQ(nested, 0);
}

}  // namespace

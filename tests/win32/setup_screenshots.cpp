// Pictures of the install wizard and of the progress dialog during the
// copy, for tools/screenshots-installer.sh. Runs only when
// JW_SCREENSHOT_DIR names the folder (a Windows path) for the BMP files.
#include <gtest/gtest.h>

#include <windows.h>
#include <prsht.h>

#include "resources/resource.h"
#include "tests/win32/installkit.h"
#include "tests/win32/testkit.h"

using namespace installkit;

namespace {

std::string ScreenshotFolder() {
    char folder[MAX_PATH] = "";
    GetEnvironmentVariableA("JW_SCREENSHOT_DIR", folder, MAX_PATH);
    return folder;
}

// Freezes the setup's only thread while its window is photographed.
bool CaptureFrozen(HWND window, const std::string& path) {
    DWORD id = GetWindowThreadProcessId(window, NULL);
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, id);
    if (!thread)
        return false;
    SuspendThread(thread);
    bool ok = CaptureWindow(window, path);
    ResumeThread(thread);
    CloseHandle(thread);
    return ok;
}

TEST(Screenshots, LicenceWizardAndProgress) {
    std::string folder = ScreenshotFolder();
    if (folder.empty())
        GTEST_SKIP() << "JW_SCREENSHOT_DIR is not set";
    testkit::Process setup;
    ASSERT_TRUE(setup.Start("\"" + testkit::ProgramFolder() + "..\\JotwellSetup.exe\""));
    Wizard wizard;
    ASSERT_TRUE(WaitForWizard(setup.Id(), 30000, &wizard));
    HWND progress = GetWindow(wizard.sheet, GW_OWNER);
    Click(wizard, IDC_LICENCE_AGREE);
    ASSERT_TRUE(WaitForFinish(wizard, "&Install", 5000));
    Sleep(500);  // lets the page repaint after the click
    EXPECT_TRUE(CaptureWindow(wizard.sheet, folder + "\\installer-licence.bmp"));

    PressWizardButton(wizard, PSBTN_FINISH);
    EXPECT_TRUE(WaitForProgress(progress, 40, 30000));
    EXPECT_TRUE(CaptureFrozen(progress, folder + "\\installer-progress.bmp"));

    DWORD pid = 0;
    HWND question = WaitForWindow("Create Diary", 30000, 0, "#32770", &pid);
    ASSERT_NE(question, (HWND)NULL);
    Answer(question, IDNO);
    HWND program = WaitForWindow("Jotwell", 30000, pid, "#32770");
    ASSERT_NE(program, (HWND)NULL);
    ProcessHandle installed(pid);
    PostMessageA(program, WM_COMMAND, CM_EXIT, 0);
    EXPECT_EQ(installed.Wait(20000), 0);
}

}  // namespace

// The splash window and the About box.
#include <gtest/gtest.h>

#include "dialogs/lsplash.h"
#include "tests/win32/testkit.h"

namespace {

TEST(Splash, IsCentredAt344By286AndClosesOnAClick) {
    LSplashScreen splash;
    splash.Display(NULL);
    ASSERT_NE(splash.hwnd, (HWND)NULL);
    RECT r, desktop;
    GetWindowRect(splash.hwnd, &r);
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_EQ(r.right - r.left, 344);
    EXPECT_EQ(r.bottom - r.top, 286);
    EXPECT_EQ(r.left, (desktop.right - 344) / 2);
    EXPECT_EQ(r.top, (desktop.bottom - 286) / 2);
    HWND window = splash.hwnd;
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_TRUE(testkit::PumpUntil([&] { return !IsWindow(window); }, 3000));
    EXPECT_EQ(splash.hwnd, (HWND)NULL);
}

// Activation stays where it was: an activated splash made its closing stall.
TEST(Splash, ShowsWithoutTakingActivation) {
    HWND before = GetActiveWindow();
    LSplashScreen splash;
    splash.Display(NULL);
    EXPECT_TRUE(IsWindowVisible(splash.hwnd));
    EXPECT_NE(GetActiveWindow(), splash.hwnd);
    EXPECT_EQ(GetActiveWindow(), before);
    splash.Destroy();
}

TEST(Splash, DisplayTwiceLeavesOneWindow) {
    LSplashScreen splash;
    splash.Display(NULL);
    HWND first = splash.hwnd;
    splash.Display(NULL);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindow(splash.hwnd));
    splash.Destroy();
    EXPECT_EQ(splash.hwnd, (HWND)NULL);
}

TEST(AboutBox, PanelFillsTheTopAndIgnoresClicks) {
    LAboutBox about;
    testkit::DialogResponder responder;
    responder.Expect("About Jotwell", [](HWND window) {
        HWND panel = GetDlgItem(window, 999);
        RECT client, panelRect;
        GetClientRect(window, &client);
        GetWindowRect(panel, &panelRect);
        EXPECT_EQ(client.right, 340);
        EXPECT_EQ(panelRect.right - panelRect.left, 340);
        EXPECT_EQ(panelRect.bottom - panelRect.top, 198 + 88);
        SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        EXPECT_TRUE(IsWindow(panel));
        testkit::PressButton(window, IDOK);
    });
    about.RunModal(NULL, "LAbout");
    EXPECT_TRUE(responder.AllServed());
}

}  // namespace

// The main window's placement, restored and stored in the settings.
#include "tests/win32/mainfixture.h"

#include "app/settings.h"

namespace {

class Placement : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SeedBooks();
    }
    RECT WindowRect() {
        RECT r;
        GetWindowRect(dialog->hwnd, &r);
        return r;
    }
};

TEST_F(Placement, FirstStartUsesTheDefaults) {
    Open();
    RECT r = WindowRect();
    EXPECT_EQ(r.left, 160);
    EXPECT_EQ(r.top, 80);
    EXPECT_EQ(r.right - r.left, 532);
    EXPECT_EQ(r.bottom - r.top, 307);
}

TEST_F(Placement, AWindowWiderThanTheDesktopIsCutToIt) {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    SettingsSetInt("MainWindow", "X", 300);
    SettingsSetInt("MainWindow", "Width", desktop.right + 500);
    Open();
    RECT r = WindowRect();
    EXPECT_EQ(r.left, desktop.left);
    EXPECT_EQ(r.right - r.left, desktop.right - desktop.left);
}

TEST_F(Placement, APositionOffTheDesktopIsPulledBack) {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    SettingsSetInt("MainWindow", "X", desktop.right - 100);
    SettingsSetInt("MainWindow", "Y", -50);
    Open();
    RECT r = WindowRect();
    EXPECT_EQ(r.right, desktop.right);
    EXPECT_EQ(r.top, desktop.top);
}

TEST_F(Placement, ClosingStoresTheNormalRectangle) {
    Open();
    MoveWindow(dialog->hwnd, 200, 100, 600, 400, TRUE);
    Close();
    EXPECT_EQ(SettingsGetInt("MainWindow", "X", 0), 200);
    EXPECT_EQ(SettingsGetInt("MainWindow", "Y", 0), 100);
    EXPECT_EQ(SettingsGetInt("MainWindow", "Width", 0), 600);
    EXPECT_EQ(SettingsGetInt("MainWindow", "Height", 0), 400);
    EXPECT_FALSE(SettingsGetBool("MainWindow", "Maximized", true));
}

TEST_F(Placement, ClosingMaximizedKeepsTheNormalPlaceAndRestoresMaximized) {
    SettingsSetInt("MainWindow", "X", 210);
    Open();
    ShowWindow(dialog->hwnd, SW_MAXIMIZE);
    Close();
    EXPECT_TRUE(SettingsGetBool("MainWindow", "Maximized", false));
    EXPECT_EQ(SettingsGetInt("MainWindow", "X", 0), 210);
    Open();
    EXPECT_TRUE(IsZoomed(dialog->hwnd));
}

TEST_F(Placement, ClosingMinimizedStoresNothing) {
    Open();
    ShowWindow(dialog->hwnd, SW_MINIMIZE);
    Close();
    for (const char* name : {"X", "Y", "Width", "Height", "Maximized"})
        EXPECT_EQ(SettingsGetInt("MainWindow", name, -7), -7) << name;
}

}  // namespace

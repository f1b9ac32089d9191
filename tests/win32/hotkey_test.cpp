// The global hot key: the menu, registration, the capture dialog, Close
// hiding to the tray and the start at logon.
#include "tests/win32/mainfixture.h"

#include "app/settings.h"
#include "resources/resource.h"

namespace {

const char kRun[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kSettings[] = "Software\\Korvane\\Jotwell\\Settings";

class HotKey : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SeedBooks();
    }
    std::string MenuText(int id) {
        char text[LFILE_PATH] = "";
        GetMenuStringA(GetMenu(dialog->hwnd), id, text, sizeof text, MF_BYCOMMAND);
        return text;
    }
    // Whether another window could take the combination now.
    bool CombinationFree(UINT modifiers, UINT vk) {
        HWND other = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
        bool free = RegisterHotKey(other, 7, modifiers, vk) != FALSE;
        if (free)
            UnregisterHotKey(other, 7);
        DestroyWindow(other);
        return free;
    }
    // Runs Change Hot Key with Ctrl and Alt held, posting keys to the
    // capture dialog once it shows.
    void CaptureWith(std::vector<std::pair<UINT, LPARAM>> keys, bool ctrlAlt) {
        BYTE state[256], saved[256];
        GetKeyboardState(state);
        memcpy(saved, state, sizeof saved);
        state[VK_CONTROL] = state[VK_MENU] = ctrlAlt ? 0x80 : 0;
        SetKeyboardState(state);
        responder.Expect("Press Key", [keys](HWND window) {
            for (const auto& k : keys)
                PostMessageA(GetFocus() ? GetFocus() : window, k.first == 'K' ? WM_SYSKEYDOWN : WM_KEYDOWN,
                             k.first, k.second);
            for (const auto& k : keys)
                PostMessageA(window, k.first == 'K' ? WM_SYSKEYDOWN : WM_KEYDOWN, k.first, k.second);
        });
        Command(CM_HOTKEY_CHANGE);
        SetKeyboardState(saved);
    }
};

TEST_F(HotKey, OffByDefaultAndTurnedOnFromTheMenu) {
    Open();
    EXPECT_EQ(MenuText(CM_HOTKEY_ENABLE), "Enable Hot Key (Shift+F8)");
    EXPECT_FALSE(MenuChecked(CM_HOTKEY_ENABLE));
    EXPECT_FALSE(MenuEnabled(CM_HOTKEY_CHANGE));
    EXPECT_TRUE(CombinationFree(MOD_SHIFT, VK_F8));

    Command(CM_HOTKEY_ENABLE);
    EXPECT_TRUE(MenuChecked(CM_HOTKEY_ENABLE));
    EXPECT_TRUE(MenuEnabled(CM_HOTKEY_CHANGE));
    EXPECT_TRUE(SettingsGetBool("Settings", "HotKeyOn", false));
    EXPECT_FALSE(CombinationFree(MOD_SHIFT, VK_F8)) << "Shift+F8 is not registered";

    Command(CM_HOTKEY_ENABLE);
    EXPECT_FALSE(MenuChecked(CM_HOTKEY_ENABLE));
    EXPECT_TRUE(CombinationFree(MOD_SHIFT, VK_F8));
}

TEST_F(HotKey, CloseHidesWhileOnAndExitWritesTheLogonStart) {
    SettingsSetBool("Settings", "HotKeyOn", true);
    Open();
    Command(CM_CLOSE);
    EXPECT_NE(dialog->hwnd, (HWND)NULL);
    EXPECT_FALSE(IsWindowVisible(dialog->hwnd));
    SendMessageA(dialog->hwnd, WM_HOTKEY, 0, 0);
    EXPECT_TRUE(IsWindowVisible(dialog->hwnd)) << "the hot key brings it back";
    Command(CM_CLOSE);
    SendMessageA(dialog->hwnd, WM_TRAYNOTIFY, TRAY_ICON_ID, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(dialog->hwnd)) << "so does a click on the tray icon";

    Close();
    char program[MAX_PATH];
    GetModuleFileNameA(NULL, program, MAX_PATH);
    EXPECT_EQ(testkit::RegString(HKEY_LOCAL_MACHINE, kRun, "JotwellRun"),
              std::string("\"") + program + "\" /logon");
    EXPECT_TRUE(SettingsGetBool("Settings", "HotKeyOn", false)) << "Exit keeps the setting";
    EXPECT_TRUE(CombinationFree(MOD_SHIFT, VK_F8));

    SettingsSetBool("Settings", "HotKeyOn", false);
    Open();
    Command(CM_CLOSE);
    EXPECT_EQ(dialog->hwnd, (HWND)NULL) << "Close ends the program while the hot key is off";
    EXPECT_FALSE(testkit::RegValueExists(HKEY_LOCAL_MACHINE, kRun, "JotwellRun"));
}

// The combination is each user's own; on or off is the machine's.
TEST_F(HotKey, CtrlAltKIsCapturedAsOneCombinationForThisUser) {
    Open();
    Command(CM_HOTKEY_ENABLE);
    CaptureWith({{'K', 1}, {'K', 1 | (1 << 30)}}, true);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(testkit::RegString(HKEY_CURRENT_USER, kSettings, "Hotkey"), "196683");
    EXPECT_FALSE(testkit::RegValueExists(HKEY_LOCAL_MACHINE, kSettings, "Hotkey"));
    EXPECT_EQ(testkit::RegString(HKEY_LOCAL_MACHINE, kSettings, "HotKeyOn"), "1");
    EXPECT_FALSE(testkit::RegValueExists(HKEY_CURRENT_USER, kSettings, "HotKeyOn"));
    EXPECT_EQ(MenuText(CM_HOTKEY_ENABLE).substr(0, 25), "Enable Hot Key (Ctrl+Alt+");
    EXPECT_FALSE(CombinationFree(MOD_CONTROL | MOD_ALT, 'K'));
}

TEST_F(HotKey, EnterAndLoneModifiersAreNotCapturedAndCancelKeepsTheKey) {
    SettingsSetBool("Settings", "HotKeyOn", true);
    Open();
    responder.Expect("Press Key", [](HWND window) {
        PostMessageA(window, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(window, WM_KEYDOWN, VK_SHIFT, 1);
        PostMessageA(window, WM_KEYDOWN, VK_CONTROL, 1);
        EXPECT_TRUE(testkit::WaitPostedHandled(window));
        EXPECT_TRUE(testkit::IsOpen(window)) << "Enter or a modifier closed the capture";
        testkit::PressButton(window, IDCANCEL);
    });
    Command(CM_HOTKEY_CHANGE);
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_EQ(UserSettingsGetInt("Settings", "Hotkey", 262263), 262263);
    EXPECT_FALSE(CombinationFree(MOD_SHIFT, VK_F8)) << "the unchanged key works again";
}

TEST_F(HotKey, ACombinationTakenElsewhereIsReported) {
    HWND other = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(RegisterHotKey(other, 7, MOD_SHIFT, VK_F8));
    SettingsSetBool("Settings", "HotKeyOn", true);
    Open();  // quiet at start-up
    EXPECT_TRUE(responder.Seen().empty());
    Command(CM_HOTKEY_ENABLE);  // off
    responder.Expect("Jotwell", IDOK);
    Command(CM_HOTKEY_ENABLE);  // on again: refused by the system
    ASSERT_TRUE(responder.WaitAllServed());
    EXPECT_NE(responder.Seen()[0].text.find("Shift+F8"), std::string::npos);
    EXPECT_NE(responder.Seen()[0].text.find("Change Hot Key"), std::string::npos);
    UnregisterHotKey(other, 7);
    DestroyWindow(other);
}

}  // namespace

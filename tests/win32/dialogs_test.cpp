// The dialog base, the modeless loop and the prompt dialog.
#include <gtest/gtest.h>

#include "dialogs/ldialog.h"
#include "dialogs/ltexteditdlg.h"
#include "tests/win32/testkit.h"
#include "util/lfile.h"

using testkit::DialogResponder;

namespace {

// A modal dialog on the text prompt's template whose OK can be refused.
class RefusingDialog : public LDialog {
public:
    bool CmOk() override {
        ++okCount;
        return okCount > 1;  // the first OK is refused
    }
    void CmHelp() override { ++helpCount; }
    void DestroyDialog() override { ++destroyCount; }
    int okCount = 0;
    int helpCount = 0;
    int destroyCount = 0;
};

TEST(ModalDialog, RefusedOkAndHelpKeepItOpen) {
    RefusingDialog dialog;
    DialogResponder responder;
    responder.Expect("", [](HWND window) {
        testkit::PressButton(window, IDOK);
        testkit::PressButton(window, 9);
        EXPECT_TRUE(testkit::WaitPostedHandled(window));
        EXPECT_TRUE(testkit::IsOpen(window)) << "a refused OK or Help closed the dialog";
        testkit::PressButton(window, IDOK);
    });
    EXPECT_TRUE(dialog.RunModal(NULL, "LTextEditDlg"));
    EXPECT_EQ(dialog.okCount, 2);
    EXPECT_EQ(dialog.helpCount, 1);
    EXPECT_EQ(dialog.destroyCount, 1);
    EXPECT_EQ(dialog.hwnd, (HWND)NULL);
}

TEST(ModalDialog, CancelIsNotAccepted) {
    RefusingDialog dialog;
    DialogResponder responder;
    responder.Expect("", IDCANCEL);
    EXPECT_FALSE(dialog.RunModal(NULL, "LTextEditDlg"));
    EXPECT_EQ(dialog.destroyCount, 1);
}

// A modeless dialog that records what reaches it.
class RecordingKeyDialog : public LKeyDialog {
public:
    bool OnKeyDown(DWORD key) override {
        keys.push_back(key);
        return true;
    }
    void DestroyDialog() override { ++destroyCount; }
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (destroyCount > 0)
            ++messagesAfterDestroy;
        return LKeyDialog::DialogProc(msg, wParam, lParam);
    }
    std::vector<DWORD> keys;
    int destroyCount = 0;
    int messagesAfterDestroy = 0;
};

TEST(KeyDialog, HeldKeyArrivesOnce) {
    RecordingKeyDialog dialog;
    ASSERT_TRUE(dialog.Create(NULL, "LKeyChangeDlg"));
    HWND target = dialog.hwnd;
    const LPARAM firstPress = 1;
    const LPARAM repeat = 1 | (1 << 30);
    PostMessageA(target, WM_KEYDOWN, 'K', firstPress);
    PostMessageA(target, WM_KEYDOWN, 'K', repeat);
    PostMessageA(target, WM_KEYDOWN, 'K', repeat);
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        dialog.ProcessMessage(msg);
    ASSERT_EQ(dialog.keys.size(), 1u);
    EXPECT_EQ(dialog.keys[0] & 0xFFFF, (DWORD)'K');
    DestroyWindow(dialog.hwnd);
}

TEST(KeyDialog, ModifiersArePackedIntoTheKey) {
    RecordingKeyDialog dialog;
    ASSERT_TRUE(dialog.Create(NULL, "LKeyChangeDlg"));
    BYTE state[256];
    GetKeyboardState(state);
    BYTE saved[256];
    memcpy(saved, state, sizeof saved);
    state[VK_CONTROL] = state[VK_MENU] = 0x80;
    SetKeyboardState(state);
    EXPECT_TRUE(dialog.PreTranslateMessage(dialog.hwnd, WM_SYSKEYDOWN, 'K', 1));
    SetKeyboardState(saved);
    ASSERT_EQ(dialog.keys.size(), 1u);
    EXPECT_EQ(dialog.keys[0], 0x3004Bu);
    DestroyWindow(dialog.hwnd);
}

TEST(KeyDialog, OpenTwiceFailsAndDestroyRunsOnce) {
    RecordingKeyDialog dialog;
    ASSERT_TRUE(dialog.Create(NULL, "LKeyChangeDlg"));
    HWND first = dialog.hwnd;
    EXPECT_FALSE(dialog.Open(NULL, "LKeyChangeDlg"));
    EXPECT_EQ(dialog.hwnd, first);
    dialog.Close(IDCANCEL);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(dialog.hwnd, (HWND)NULL);
    EXPECT_EQ(dialog.destroyCount, 1);
    EXPECT_EQ(dialog.messagesAfterDestroy, 0);
    SendMessageA(first, WM_COMMAND, IDCANCEL, 0);  // a window that is gone
    EXPECT_EQ(dialog.destroyCount, 1);
}

TEST(KeyDialog, OpenRunsUntilTheWindowIsGoneAndEnablesTheOwner) {
    HWND owner = CreateWindowA("STATIC", "owner", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    RecordingKeyDialog dialog;
    DialogResponder responder;
    responder.Expect("Press Key", [&](HWND window) {
        EXPECT_FALSE(IsWindowEnabled(owner)) << "the owner stays usable";
        PostMessageA(window, WM_CLOSE, 0, 0);
        testkit::PressButton(window, IDCANCEL);
    });
    EXPECT_TRUE(dialog.Open(owner, "LKeyChangeDlg"));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(dialog.destroyCount, 1);
    DestroyWindow(owner);
}

TEST(KeyDialog, EndSessionDetachesTheObject) {
    RecordingKeyDialog dialog;
    ASSERT_TRUE(dialog.Create(NULL, "LKeyChangeDlg"));
    HWND window = dialog.hwnd;
    SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(dialog.destroyCount, 1);
    EXPECT_EQ(dialog.hwnd, (HWND)NULL);
    DestroyWindow(window);
    EXPECT_EQ(dialog.destroyCount, 1);
}

TEST(TextEditDlg, ReturnsTheTextCutAt259Characters) {
    char text[LFILE_PATH] = "old";
    LTextEditDlg prompt(text, "Enter Book Name");
    DialogResponder responder;
    std::string typed(300, 'n');
    responder.Expect("Enter Book Name", [&](HWND window) {
        EXPECT_EQ(testkit::ControlText(window, 101), "Enter Book Name");
        EXPECT_EQ(testkit::ControlText(window, 100), "old");
        SendMessageA(GetDlgItem(window, 100), WM_SETTEXT, 0, (LPARAM)typed.c_str());
        testkit::PressButton(window, IDOK);
    });
    EXPECT_TRUE(prompt.RunModal(NULL, "LTextEditDlg"));
    EXPECT_EQ(std::string(text), typed.substr(0, 259));
}

TEST(TextEditDlg, CancelLeavesTheBufferAndEmptyOkEmptiesIt) {
    char text[LFILE_PATH] = "kept";
    {
        LTextEditDlg prompt(text, "Enter Diary Name");
        DialogResponder responder;
        responder.Expect("Enter Diary Name", IDCANCEL);
        EXPECT_FALSE(prompt.RunModal(NULL, "LTextEditDlg"));
        EXPECT_STREQ(text, "kept");
    }
    LTextEditDlg prompt(text, "Enter Diary Name");
    DialogResponder responder;
    responder.Expect("Enter Diary Name", [](HWND window) {
        SendMessageA(GetDlgItem(window, 100), WM_SETTEXT, 0, (LPARAM) "");
        testkit::PressButton(window, IDOK);
    });
    EXPECT_TRUE(prompt.RunModal(NULL, "LTextEditDlg"));
    EXPECT_STREQ(text, "");
}

}  // namespace

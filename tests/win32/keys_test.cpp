// Keys of the main window: moving between notes, Tab through the controls
// and the fields of a diary note, and the keys that are swallowed.
#include "tests/win32/mainfixture.h"

#include <commctrl.h>
#include <richedit.h>

#include "dialogs/lrichedit.h"
#include "resources/resource.h"

namespace {

class Keys : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SeedBooks("Other Notes");
    }
    std::string SelectedText() {
        LONG start = 0, end = 0;
        LRichEdit::GetSelection(dialog->NoteText(), &start, &end);
        std::string text(end - start + 1, '\0');
        LONG n = LRichEdit::GetTextRange(dialog->NoteText(), start, end, &text[0]);
        text.resize(n);
        return text;
    }
    LONG SelectionStart() {
        LONG start = 0, end = 0;
        LRichEdit::GetSelection(dialog->NoteText(), &start, &end);
        return start;
    }
};

TEST_F(Keys, PageDownAndUpMoveBetweenNotesAndStopAtTheEnds) {
    WriteNote("Other Notes", "A", "a");
    WriteNote("Other Notes", "B", "b");
    Open();
    PressKey(VK_NEXT);
    EXPECT_EQ(SelectedNote(), "B");
    EXPECT_EQ(EditorText(), "b");
    PressKey(VK_NEXT);
    EXPECT_EQ(SelectedNote(), "B") << "Page Down on the last note keeps it";
    PressKey(VK_PRIOR);
    PressKey(VK_PRIOR);
    EXPECT_EQ(SelectedNote(), "A");
}

TEST_F(Keys, EscapeNeverClosesTheWindow) {
    Open();
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(IsWindowVisible(dialog->hwnd));
}

TEST_F(Keys, TabWalksTheControlsInARing) {
    WriteNote("Other Notes", "A", "plain text without fields");
    Open();
    SetFocus(dialog->BookList());
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), dialog->NotesList());
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog->hwnd, IDC_NOTE_NAME));
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), dialog->NoteText());
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), dialog->BookList());
    PressKey(VK_TAB, false, true);
    EXPECT_EQ(GetFocus(), dialog->NoteText());
    PressKey(VK_TAB, false, true);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog->hwnd, IDC_NOTE_NAME));
    EXPECT_EQ(EditorText(), "plain text without fields") << "Tab never inserts a tab";
}

TEST_F(Keys, TabMovesFromSlotToSlotInADiaryNote) {
    WriteNote("Other Notes", "Day", "09.00am: dentist\n10.00am: \n11.00am: call Sam\n");
    Open();
    SetFocus(GetDlgItem(dialog->hwnd, IDC_NOTE_NAME));
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), dialog->NoteText());
    EXPECT_EQ(SelectedText(), "dentist");
    PressKey(VK_TAB);
    EXPECT_EQ(SelectedText(), "");
    EXPECT_EQ(SelectionStart(), 26);  // after "10.00am: "
    PressKey(VK_TAB);
    EXPECT_EQ(SelectedText(), "call Sam");
    PressKey(VK_TAB, false, true);
    EXPECT_EQ(SelectionStart(), 26);
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), dialog->BookList()) << "after the last slot the book list";
    PressKey(VK_TAB, false, true);
    EXPECT_EQ(GetFocus(), dialog->NoteText());
    EXPECT_EQ(SelectedText(), "call Sam") << "entered from the end: the last slot";
}

TEST_F(Keys, CtrlWithOtherKeysReachesTheEditor) {
    WriteNote("Other Notes", "A", "abc");
    Open();
    SetFocus(dialog->NoteText());
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    EXPECT_FALSE(dialog->PreTranslateMessage(dialog->NoteText(), WM_KEYDOWN, 'A', 1));
    EXPECT_FALSE(dialog->PreTranslateMessage(dialog->NoteText(), WM_KEYDOWN, 'Z', 1));
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
    EXPECT_FALSE(dialog->PreTranslateMessage(dialog->NoteText(), WM_KEYDOWN, 'P', 1));
    EXPECT_FALSE(dialog->PreTranslateMessage(dialog->NoteText(), WM_KEYUP, VK_NEXT, 1));
}

}  // namespace

namespace {

// The controls' tooltips get the mouse messages from the window's loop.
// A place of the window's own that no other window covers (the splash
// stands in the middle of the screen for its first seconds).
bool UncoveredPoint(HWND window, POINT* out) {
    RECT r;
    GetWindowRect(window, &r);
    for (int y = 1; y < 8; y += 2)
        for (int x = 1; x < 8; x += 2) {
            POINT p = {r.left + (r.right - r.left) * x / 8, r.top + (r.bottom - r.top) * y / 8};
            if (WindowFromPoint(p) == window) {
                *out = p;
                return true;
            }
        }
    return false;
}

TEST_F(Keys, HoveringOverTheEditorShowsItsTooltip) {
    WriteNote("Other Notes", "A", "a");
    Open();
    HWND editor = dialog->NoteText();
    SetForegroundWindow(dialog->hwnd);
    // The tips are added after the first paint, which a busy machine may
    // not have reached yet.
    ASSERT_TRUE(Pump([&] { return dialog->hwndToolTip != NULL; }, 10000));
    HWND tip = dialog->hwndToolTip;
    TOOLINFOA probe;
    ZeroMemory(&probe, sizeof probe);
    probe.cbSize = sizeof probe;
    probe.hwnd = dialog->hwnd;
    probe.uId = (UINT_PTR)editor;
    ASSERT_TRUE(Pump([&] { return SendMessageA(tip, TTM_GETTOOLINFOA, 0, (LPARAM)&probe) != 0; },
                     10000));
    // The mouse comes to rest over the editor: one move, then the tip's own
    // delay. The move is made again only if the mouse did not get there.
    DWORD delay = (DWORD)SendMessageA(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0);
    bool shown = false;
    DWORD start = GetTickCount();
    while (!shown && GetTickCount() - start < 15000) {
        POINT place, at;
        if (!UncoveredPoint(editor, &place) || !SetCursorPos(place.x, place.y) ||
            !GetCursorPos(&at) || at.x != place.x || at.y != place.y) {
            Pump([] { return false; }, 50);
            continue;
        }
        POINT client = place;
        ScreenToClient(editor, &client);
        MSG move = {editor, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y), GetTickCount(), place};
        dialog->ProcessMessage(move);
        shown = Pump([&] { return IsWindowVisible(tip) != FALSE; }, delay + 2000);
    }
    ASSERT_TRUE(shown) << "no tooltip over the note text";
    char text[128] = "";
    TOOLINFOA ti;
    ZeroMemory(&ti, sizeof ti);
    ti.cbSize = sizeof ti;
    ti.lpszText = text;
    ASSERT_TRUE(SendMessageA(tip, TTM_GETCURRENTTOOLA, 0, (LPARAM)&ti));
    EXPECT_EQ(ti.uId, (UINT_PTR)editor);
    EXPECT_STREQ(text, "Type note here.");
}

}  // namespace

namespace {

// The toolbar's tips are given their texts once the window has been seen.
TEST_F(Keys, ToolbarButtonsGetTheirTipsAfterTheStart) {
    Open();
    HWND tips = (HWND)SendMessageA(dialog->hwndToolBar, TB_GETTOOLTIPS, 0, 0);
    ASSERT_NE(tips, (HWND)NULL);
    char text[128] = "";
    TOOLINFOA ti;
    ZeroMemory(&ti, sizeof ti);
    ti.cbSize = sizeof ti;
    ti.hwnd = dialog->hwndToolBar;
    ti.uId = CM_NOTE_DELETE;
    ti.lpszText = text;
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, (LPARAM)&ti);
    EXPECT_STREQ(text, "Delete the selected note");
}

}  // namespace

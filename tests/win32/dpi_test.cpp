// The main window and its dialogs at the display's scale. tests/win32/dpi.sh
// runs these at 96 DPI, where every figure must be the one the program
// always had, and again at 144 DPI in a prefix of its own.
#include "tests/win32/mainfixture.h"

#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>

#include "dialogs/dpiscale.h"
#include "dialogs/ldpi.h"
#include "dialogs/lprogressdialog.h"
#include "resources/resource.h"

namespace {

typedef BOOL(WINAPI* AdjustForDpiFunction)(RECT*, DWORD, BOOL, DWORD, UINT);

// An icon's side, and its colour pixels, which tell a drawn picture from a
// stretched one.
int IconSide(HICON icon, std::vector<BYTE>* pixels = NULL) {
    ICONINFO info;
    BITMAP bm = {};
    if (!icon || !GetIconInfo(icon, &info))
        return 0;
    GetObjectA(info.hbmColor, sizeof bm, &bm);
    if (pixels) {
        pixels->resize((size_t)bm.bmWidthBytes * bm.bmHeight);
        GetBitmapBits(info.hbmColor, (LONG)pixels->size(), pixels->data());
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bm.bmWidth;
}

int ToolbarImageSide(HWND toolbar) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize((HIMAGELIST)SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0), &cx, &cy);
    return cx;
}

// Each visible label, button, box and one-line edit shows its text whole in
// its own font, beside the room (at 96 DPI) its frame or check box takes; a
// static may wrap as far as its height goes. An edit that scrolls (a
// folder's path) may hold more.
void ExpectTextsFit(HWND window, int dpi) {
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char name[32] = "", text[LFILE_PATH] = "";
        GetClassNameA(c, name, sizeof name);
        GetWindowTextA(c, text, sizeof text);
        LONG style = GetWindowLongA(c, GWL_STYLE), kind = style & BS_TYPEMASK;
        bool isStatic = lstrcmpiA(name, "Static") == 0;
        int margin = lstrcmpiA(name, "ComboBox") == 0 ? 22 : isStatic ? 0 : -1;
        if (lstrcmpiA(name, "Button") == 0)
            margin = kind == BS_GROUPBOX ? 16 : kind <= BS_DEFPUSHBUTTON ? 6 : 17;
        if (lstrcmpiA(name, "Edit") == 0 && !(style & (ES_MULTILINE | ES_AUTOHSCROLL)))
            margin = 4;
        if (isStatic && (style & SS_TYPEMASK) > SS_RIGHT)
            margin = -1;
        if (!IsWindowVisible(c) || !text[0] || margin < 0)
            continue;
        RECT room, need;
        GetClientRect(c, &room);
        room.right -= ScalePixels(margin, dpi);
        need = room;
        HDC dc = GetDC(c);
        HGDIOBJ old = SelectObject(dc, (HFONT)SendMessageA(c, WM_GETFONT, 0, 0));
        DrawTextA(dc, text, -1, &need, DT_CALCRECT | (isStatic ? DT_WORDBREAK : DT_SINGLELINE));
        SelectObject(dc, old);
        ReleaseDC(c, dc);
        EXPECT_LE(need.right, room.right) << name << " \"" << text << "\" at " << dpi << " DPI";
        if (isStatic) {
            EXPECT_LE(need.bottom, room.bottom) << "\"" << text << "\" at " << dpi << " DPI";
        }
    }
}

class Scaling : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SeedBooks("Other Notes");
        for (int i = 10; i < 30; ++i)
            WriteNote("Other Notes", "Note " + std::to_string(i), "text");
    }
    int Dpi() { return LDpi::ForWindow(dialog->hwnd); }
    RECT ChildRect(HWND child) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(NULL, dialog->hwnd, (POINT*)&r, 2);
        return r;
    }
};

TEST_F(Scaling, TheDefaultWindowAndItsPicturesAreTodaysTimesTheScale) {
    Open();
    int dpi = Dpi();
    ImageScale scale = ImageScaleForDpi(dpi);
    // Today's client area: the 532 by 307 window less its frame, caption and
    // menu bar at 96 DPI.
    HWND w = dialog->hwnd;
    RECT frame = {0, 0, 0, 0}, client;
    AdjustForDpiFunction adjust = (AdjustForDpiFunction)(void (*)(void))GetProcAddress(
        GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi");
    ASSERT_TRUE(adjust != NULL);
    adjust(&frame, GetWindowLongA(w, GWL_STYLE), TRUE, GetWindowLongA(w, GWL_EXSTYLE), 96);
    GetClientRect(w, &client);
    // The frame grows by not quite the same factor (under Wine 4 pixels
    // become 5 at 144 DPI), which leaves the client area a little larger.
    EXPECT_NEAR(client.right, ScalePixels(532 - (frame.right - frame.left), dpi), 4);
    EXPECT_NEAR(client.bottom, ScalePixels(307 - (frame.bottom - frame.top), dpi), 4);

    EXPECT_EQ(ToolbarImageSide(dialog->hwndToolBar), ImagePixels(24, scale));
    EXPECT_EQ(IconSide((HICON)SendMessageA(w, WM_GETICON, ICON_BIG, 0)), ImagePixels(32, scale));
    EXPECT_EQ(IconSide((HICON)SendMessageA(w, WM_GETICON, ICON_SMALL, 0)), ImagePixels(16, scale));
    ASSERT_TRUE(Pump([this] { return dialog->splash.hwnd != NULL; }));
    RECT splash;
    GetWindowRect(dialog->splash.hwnd, &splash);
    EXPECT_EQ(splash.right - splash.left, ImagePixels(340, scale) + ScalePixels(4, dpi));
}

// The run at 96 DPI writes its figure to the file JW_DPI_REFERENCE names.
TEST_F(Scaling, TheNoteListShowsAsManyLinesAsAt96Dpi) {
    const char* reference = getenv("JW_DPI_REFERENCE");
    if (!reference)
        GTEST_SKIP() << "needs the run at 96 DPI: tests/win32/dpi.sh";
    Open();
    int lines = ListView_GetCountPerPage(dialog->NotesList()), linesAt96 = 0;
    bool at96 = Dpi() == DPI_STANDARD;
    FILE* f = fopen(reference, at96 ? "w" : "r");
    ASSERT_TRUE(f != NULL) << reference << (at96 ? "" : ": the run at 96 DPI wrote nothing");
    if (at96)
        fprintf(f, "%d\n", linesAt96 = lines);
    else
        EXPECT_EQ(fscanf(f, "%d", &linesAt96), 1);
    fclose(f);
    EXPECT_GE(lines, linesAt96);
    EXPECT_GE(lines, 5);
}

TEST_F(Scaling, NoTextIsCutInTheMainWindowAndItsDialogs) {
    Open();
    int dpi = Dpi();
    SelectNote("Note 10");
    ExpectTextsFit(dialog->hwnd, dpi);
    auto check = [dpi](HWND w) {
        ExpectTextsFit(w, dpi);
        testkit::PressButton(w, IDCANCEL);
    };
    responder.Expect("Find", check);
    Command(CM_FIND);
    responder.Expect("Book Properties", check);
    Command(CM_BOOK_PROPERTIES);
    responder.Expect("About Jotwell", [dpi](HWND w) {
        ExpectTextsFit(w, dpi);
        RECT client;
        GetClientRect(w, &client);
        EXPECT_EQ(client.right, ImagePixels(340, ImageScaleForDpi(dpi)));
        testkit::PressButton(w, IDOK);
    });
    Command(CM_HELP_ABOUT);
}

TEST_F(Scaling, ADpiChangeTakesTheSuggestedRectangleAndRemakesTheWindowForIt) {
    Open();
    RECT suggested = {20, 10, 20 + 980, 10 + 700}, r;
    SendMessageA(dialog->hwnd, WM_DPICHANGED, MAKEWPARAM(192, 192), (LPARAM)&suggested);
    GetWindowRect(dialog->hwnd, &r);
    EXPECT_TRUE(EqualRect(&r, &suggested));
    EXPECT_EQ(ToolbarImageSide(dialog->hwndToolBar), 48);
    EXPECT_EQ(IconSide((HICON)SendMessageA(dialog->hwnd, WM_GETICON, ICON_BIG, 0)), 64);
    LOGFONTA font;
    GetObjectA((HFONT)SendDlgItemMessageA(dialog->hwnd, IDC_NOTE_NAME, WM_GETFONT, 0, 0),
               sizeof font, &font);
    EXPECT_EQ(font.lfHeight, 34);
    EXPECT_EQ(ChildRect(dialog->NoteText()).left - ChildRect(dialog->NotesList()).right, 4);
    EXPECT_EQ(ChildRect(dialog->BookList()).top, ChildRect(dialog->hwndToolBar).bottom);
}

class ShownIcon : public LProgressDialog {
public:
    ShownIcon() : LProgressDialog("Progress") {}
    int MainFunction() override {
        std::vector<BYTE> shown, drawn;
        HICON icon = LDpi::LoadScaledIcon(IDI_JOTWELL, 32, LDpi::ForWindow(hwnd));
        IconSide((HICON)SendDlgItemMessageA(hwnd, IDC_PROGRESS_ICON, STM_GETICON, 0, 0), &shown);
        IconSide(icon, &drawn);
        DestroyIcon(icon);
        return !shown.empty() && shown == drawn;
    }
};

TEST(ProgressWindow, ShowsTheIconDrawnForTheDisplayNotAStretchedOne) {
    ShownIcon job;
    EXPECT_EQ(job.Run(NULL), 1);
}

}  // namespace

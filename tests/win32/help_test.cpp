// The help file opens at the right topic from F1 and the Help buttons.
#include "tests/win32/mainfixture.h"

#include "app/settings.h"
#include "resources/resource.h"

namespace {

// The help viewer is another process; its topic text is in its editor.
struct Viewer {
    HWND window = NULL;
    HWND text = NULL;
};

BOOL CALLBACK FindViewerText(HWND child, LPARAM lParam) {
    char cls[64] = "";
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpA(cls, "RichEdit20A") == 0 || lstrcmpA(cls, "RichEdit20W") == 0) {
        *(HWND*)lParam = child;
        return FALSE;
    }
    return TRUE;
}

Viewer FindViewer() {
    Viewer v;
    v.window = FindWindowA(NULL, "Jotwell Help");
    if (v.window)
        EnumChildWindows(v.window, FindViewerText, (LPARAM)&v.text);
    return v;
}

std::string ViewerText(const Viewer& v) {
    char text[8192] = "";
    if (v.text)
        SendMessageTimeoutA(v.text, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 3000,
                            NULL);
    return text;
}

class Help : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SeedBooks();
        // The program looks for its help file beside itself.
        std::string here = testkit::ProgramFolder();
        ASSERT_TRUE(testkit::CopyTo(here + "..\\jotwell.hlp", here + "jotwell.hlp"));
        CloseViewer();
    }
    void TearDown() override {
        CloseViewer();
        MainWindowTest::TearDown();
    }
    void CloseViewer() {
        for (int i = 0; i < 50; ++i) {
            HWND viewer = FindWindowA(NULL, "Jotwell Help");
            if (!viewer)
                return;
            PostMessageA(viewer, WM_CLOSE, 0, 0);
            Sleep(100);
        }
    }
    // Waits for the viewer to show a topic whose text begins with title.
    bool ViewerShows(const std::string& title) {
        return Pump([&] {
            Viewer v = FindViewer();
            return v.window && ViewerText(v).compare(0, title.size(), title) == 0;
        }, 20000);
    }
};

TEST_F(Help, F1OpensTheContents) {
    Open();
    PressKey(VK_F1);
    EXPECT_TRUE(ViewerShows("Contents")) << ViewerText(FindViewer());
}

TEST_F(Help, DiaryPropertiesHelpOpensTheDiaryTopic) {
    Open();
    responder.Expect("Diary Properties", [](HWND window) {
        testkit::PressButton(window, IDC_HELP_BUTTON);
        EXPECT_TRUE(testkit::WaitPostedHandled(window, 20000));
        EXPECT_TRUE(testkit::IsOpen(window)) << "Help closed the dialog";
        for (int i = 0; i < 200 && !FindWindowA(NULL, "Jotwell Help"); ++i)
            Sleep(100);
        testkit::PressButton(window, IDCANCEL);
    });
    SettingsSetString("Books", "Book3Type", "Diary");
    SettingsSetString("Books", "Current", "Other Notes");
    Close();
    Open();
    Command(CM_NOTE_NEW);  // New Note in a diary book opens Diary Properties
    ASSERT_TRUE(responder.WaitAllServed(25000));
    EXPECT_TRUE(ViewerShows("Diary books")) << ViewerText(FindViewer());
}

TEST_F(Help, BookPropertiesHelpOpensTheBookTopic) {
    Open();
    responder.Expect("Book Properties", [](HWND window) {
        testkit::PressButton(window, IDC_HELP_BUTTON);
        for (int i = 0; i < 200 && !FindWindowA(NULL, "Jotwell Help"); ++i)
            Sleep(100);
        testkit::PressButton(window, IDCANCEL);
    });
    Command(CM_BOOK_PROPERTIES);
    ASSERT_TRUE(responder.WaitAllServed(25000));
    EXPECT_TRUE(ViewerShows("Book properties")) << ViewerText(FindViewer());
}

}  // namespace

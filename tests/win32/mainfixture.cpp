#include "tests/win32/mainfixture.h"

#include <commctrl.h>
#include <richedit.h>

#include "dialogs/lrichedit.h"
#include "resources/resource.h"

void MainWindowTest::SetUp() {
    testkit::ResetSettings();
    for (const char* name : {"PhoneBook", "Useful Web Links", "Other Notes"})
        CreateDirectoryA(Book(name).c_str(), NULL);
}

void MainWindowTest::TearDown() {
    Close();
    EXPECT_TRUE(responder.AllServed()) << "a dialog the test expected never appeared";
    for (const testkit::SeenDialog& d : responder.Unexpected())
        ADD_FAILURE() << "unexpected dialog \"" << d.caption << "\": " << d.text;
    testkit::ResetSettings();
}

void MainWindowTest::WriteNote(const char* book, const std::string& name,
                               const std::string& text) {
    ASSERT_TRUE(testkit::WriteFileText(Note(book, name), text));
}

void MainWindowTest::SeedBooks(const char* current) {
    testkit::SeedBooks(books.path());
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Jotwell\\Books", 0, NULL, 0,
                    KEY_ALL_ACCESS, NULL, &key, NULL);
    RegSetValueExA(key, "Current", 0, REG_SZ, (const BYTE*)current, (DWORD)strlen(current) + 1);
    RegCloseKey(key);
}

void MainWindowTest::Open() {
    dialog.reset(new MainDialog);
    lstrcpynA(dialog->history.store.szRoot, store.path().c_str(), LFILE_PATH);
    ASSERT_TRUE(dialog->Create(NULL, MAKEINTRESOURCEA(IDD_MAIN)));
    PumpFor(100);
}

void MainWindowTest::Close() {
    if (dialog && dialog->hwnd) {
        PostMessageA(dialog->hwnd, WM_COMMAND, CM_EXIT, 0);
        Pump([this] { return dialog->hwnd == NULL; }, 10000);
        if (dialog->hwnd)
            DestroyWindow(dialog->hwnd);
    }
    dialog.reset();
}

bool MainWindowTest::Pump(std::function<bool()> until, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (until())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        MSG msg;
        while (GetTickCount() - start <= timeoutMs && PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (dialog && dialog->hwnd)
                dialog->ProcessMessage(msg);
            else {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}

void MainWindowTest::PumpFor(DWORD ms) {
    Pump([] { return false; }, ms);
}

void MainWindowTest::Command(int id) {
    SendMessageA(dialog->hwnd, WM_COMMAND, id, 0);
    PumpFor(50);
}

void MainWindowTest::PressKey(UINT vk, bool ctrl, bool shift) {
    BYTE state[256], saved[256];
    GetKeyboardState(state);
    memcpy(saved, state, sizeof saved);
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    HWND focus = GetFocus();
    MSG msg = {focus ? focus : dialog->hwnd, WM_KEYDOWN, vk, 1, 0, {0, 0}};
    dialog->ProcessMessage(msg);
    SetKeyboardState(saved);
    PumpFor(30);
}

void MainWindowTest::TypeInNote(const std::string& text) {
    SendMessageA(dialog->NoteText(), EM_REPLACESEL, TRUE, (LPARAM)text.c_str());
}

void MainWindowTest::FireTimer(UINT id) {
    SendMessageA(dialog->hwnd, WM_TIMER, id, 0);
    PumpFor(20);
}

std::vector<std::string> MainWindowTest::ListedNotes() {
    std::vector<std::string> names;
    HWND list = dialog->NotesList();
    int count = ListView_GetItemCount(list);
    for (int i = 0; i < count; ++i) {
        char text[LFILE_PATH] = "";
        ListView_GetItemText(list, i, 0, text, LFILE_PATH);
        names.push_back(text);
    }
    return names;
}

std::string MainWindowTest::SelectedNote() {
    HWND list = dialog->NotesList();
    int i = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (i < 0)
        return std::string();
    char text[LFILE_PATH] = "";
    ListView_GetItemText(list, i, 0, text, LFILE_PATH);
    return text;
}

std::string MainWindowTest::BookListText() {
    return testkit::ControlText(dialog->hwnd, IDC_BOOKS);
}

std::string MainWindowTest::NoteNameText() {
    return testkit::ControlText(dialog->hwnd, IDC_NOTE_NAME);
}

std::string MainWindowTest::EditorText() {
    size_t size = 0;
    LBuffer text = LRichEdit::StreamOutText(dialog->NoteText(), &size);
    return text ? std::string(text.get(), size) : std::string();
}

bool MainWindowTest::MenuEnabled(int id) {
    UINT state = GetMenuState(GetMenu(dialog->hwnd), id, MF_BYCOMMAND);
    return !(state & (MF_GRAYED | MF_DISABLED));
}

bool MainWindowTest::MenuChecked(int id) {
    return (GetMenuState(GetMenu(dialog->hwnd), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void MainWindowTest::SelectNote(const std::string& name) {
    int item = dialog->FindNoteItem(name.c_str());
    ASSERT_GE(item, 0) << name;
    dialog->LVSelectItem(IDC_NOTES, item);
    PumpFor(30);
}

void MainWindowTest::SelectBook(const char* name) {
    HWND books = dialog->BookList();
    LRESULT item = SendMessageA(books, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)name);
    ASSERT_NE(item, CB_ERR) << name;
    SendMessageA(books, CB_SETCURSEL, item, 0);
    SendMessageA(dialog->hwnd, WM_COMMAND, MAKEWPARAM(IDC_BOOKS, CBN_SELCHANGE), (LPARAM)books);
    PumpFor(30);
}

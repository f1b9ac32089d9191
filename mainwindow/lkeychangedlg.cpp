#include "mainwindow/lkeychangedlg.h"

#include <string.h>

#include "util/lfile.h"
#include "util/lwide.h"

bool LKeyChangeDlg::OnKeyDown(DWORD key) {
    switch (KeyVirtualKey(key)) {
    case VK_RETURN:
        return true;  // swallowed: Enter would press a button
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
        return false;  // a modifier alone is never a hot key
    case VK_ESCAPE:
        return false;  // becomes Cancel
    }
    *pResult = key;
    Close(IDCANCEL);
    return false;
}

bool RunKeyChangeDialog(HWND owner, DWORD* key) {
    DWORD result = 0;
    LKeyChangeDlg dialog(&result);
    dialog.Open(owner, "LKeyChangeDlg");
    if (!result)
        return false;
    *key = result;
    return true;
}

void KeyName(DWORD key, char* out) {
    out[0] = '\0';
    if (key & KEY_CTRL)
        strcat(out, "Ctrl+");
    if (key & KEY_ALT)
        strcat(out, "Alt+");
    if (key & KEY_SHIFT)
        strcat(out, "Shift+");
    size_t used = strlen(out);
    UINT scan = MapVirtualKeyA(KeyVirtualKey(key), 0);
    // The name in the user's language, which the code page may lack.
    WCHAR name[64] = L"";
    GetKeyNameTextW((LONG)((scan << 16) | KeyVirtualKey(key)), name, 64);
    LNarrowTo(name, out + used, LFILE_PATH - used);
}

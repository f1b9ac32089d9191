// The global hot key that recalls the window from anywhere.
#include <stdio.h>

#include "app/settingkeys.h"
#include "mainwindow/lkeychangedlg.h"
#include "mainwindow/maindialog.h"
#include "resources/resource.h"
#include "util/lwide.h"

namespace {
const int kHotKeyId = 0;
}

void MainDialog::HotKeyOpen(bool reportFailure) {
    bool on = HotKeyOn();
    DWORD key = HotKeyCode();
    char name[LFILE_PATH];
    KeyName(key, name);
    char text[LFILE_PATH + 32];
    snprintf(text, sizeof text, "Enable Hot Key (%s)", name);
    ModifyMenuA(GetMenu(hwnd), CM_HOTKEY_ENABLE, MF_BYCOMMAND | MF_STRING, CM_HOTKEY_ENABLE, text);
    CheckMenuItem(CM_HOTKEY_ENABLE, on);
    EnableMenuItem(CM_HOTKEY_CHANGE, on);
    bHotKeyRegistered = false;
    if (!on)
        return;
    bHotKeyRegistered =
        RegisterHotKey(hwnd, kHotKeyId, KeyModifiers(key), KeyVirtualKey(key)) != FALSE;
    // A combination another program holds does not work: say so when the
    // user has just asked for it, rather than show a hot key that is dead.
    if (!bHotKeyRegistered && reportFailure) {
        char message[LFILE_PATH * 2];
        snprintf(message, sizeof message,
                 "The hot key %s cannot be used because another program is using it.\r\n\r\n"
                 "Choose another combination with \"Change Hot Key\" in the File menu.",
                 name);
        MessageBoxU(hwnd, message, "Jotwell", MB_ICONWARNING | MB_OK);
    }
}

void MainDialog::HotKeyClose() {
    UnregisterHotKey(hwnd, kHotKeyId);
    bHotKeyRegistered = false;
}

void MainDialog::HotKeyRestart(bool reportFailure) {
    HotKeyClose();
    HotKeyOpen(reportFailure);
}

void MainDialog::CmHotKeyEnable() {
    SetHotKeyOn(!HotKeyOn());
    HotKeyRestart(true);
}

void MainDialog::CmHotKeyChange() {
    // Released first, so the current combination reaches the capture dialog.
    HotKeyClose();
    DWORD key = 0;
    if (RunKeyChangeDialog(hwnd, &key)) {
        SetHotKeyCode(key);
        HotKeyOpen(true);
    } else {
        // Cancelled: the unchanged combination works again, as the menu says.
        HotKeyOpen(false);
    }
}

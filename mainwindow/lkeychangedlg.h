// Captures a key combination from the keyboard for the global hot key.
#ifndef JOTWELL_MAINWINDOW_LKEYCHANGEDLG_H
#define JOTWELL_MAINWINDOW_LKEYCHANGEDLG_H

#include "dialogs/ldialog.h"

class LKeyChangeDlg : public LKeyDialog {
public:
    explicit LKeyChangeDlg(DWORD* result) : pResult(result) {}
    bool OnKeyDown(DWORD key) override;

    DWORD* pResult;
};

// Runs the capture dialog; true and the packed key code unless cancelled.
bool RunKeyChangeDialog(HWND owner, DWORD* key);

// The text of a packed key code: "Ctrl+", "Alt+", "Shift+" and the system's
// name of the key. out holds 260 bytes.
void KeyName(DWORD key, char* out);

#endif

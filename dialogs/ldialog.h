// The dialog library: every window built from a dialog template is driven by
// one object of this family. One shared dialog procedure finds the object of
// a window and forwards the window's messages to its virtual operations.
#ifndef JOTWELL_DIALOGS_LDIALOG_H
#define JOTWELL_DIALOGS_LDIALOG_H

#include <windows.h>

#include "dialogs/keycode.h"

// The module every resource and window of the program comes from.
HINSTANCE LGetInstance();
void LSetInstance(HINSTANCE hInstance);

class LDialog {
public:
    LDialog();
    virtual ~LDialog();
    virtual void InitDialog();
    virtual bool CmOk();
    virtual bool CmCancel();
    virtual void CmHelp();
    virtual void UpdateControls();
    virtual void Command(WORD id, WORD notifyCode);
    virtual void DestroyDialog();
    virtual void Close(INT_PTR result);
    virtual INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // Runs the dialog modally; true when it ended with OK (result 1). An
    // object that already has a window is not run again.
    bool RunModal(HWND owner, LPCSTR templateName);

    // The procedure shared by every dialog window of the family.
    static INT_PTR CALLBACK SharedDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // Control helpers.
    int DialogUnitsToPixels(int verticalUnits);
    void MoveControl(int id, int x, int y, int width, int height);
    void EnableControl(int id, bool enable);
    void GetControlText(int id, char* buffer);
    void EnableMenuItem(int command, bool enable);
    void CheckMenuItem(int command, bool check);
    void LVInsertColumns(int id, const char* const* titles, const int* percents);
    void LVSetColumnWidth(int id, int column, int width);
    void LVSelectItem(int id, int index);
    void DisplayHelpContents(UINT command, ULONG_PTR data);
    void DisplayHelpContext(DWORD context);

    // Main window placement in the settings.
    void WindowSizeSettingsRestore();
    void WindowSizeSettingsStore();

    HWND hwnd;

private:
    LDialog(const LDialog&) = delete;
    LDialog& operator=(const LDialog&) = delete;
};

// A modeless dialog that runs the family's own message loop and sees every
// queued key press of the thread first.
class LKeyDialog : public LDialog {
public:
    void Close(INT_PTR result) override;
    virtual bool OnKeyDown(DWORD key);
    virtual bool OnKeyUp(WPARAM virtualKey);
    virtual bool PreTranslateMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    // Creates the window and runs the message loop until it is destroyed.
    // False when the object already has a window or creation failed.
    bool Open(HWND owner, LPCSTR templateName);

    // The opening stage of Open: creates the window and disables the owner.
    bool Create(HWND owner, LPCSTR templateName);

    // One message of the loop, fetched with the W functions (GetMessageW,
    // PeekMessageW): the key translation, then the dialog manager, then the
    // window's own procedure.
    void ProcessMessage(MSG& msg);
};

// A key dialog with a toolbar and tooltips on its controls: the main window's base.
class LToolBarDialog : public LKeyDialog {
public:
    LToolBarDialog();
    bool CmOk() override;

    // Attaches a tooltip to a control; the tooltip window is created in
    // hwndTip on first use. text must stay valid while the dialog exists.
    void AddTool(HWND& hwndTip, int id, const char* text);

    // Hands a queued mouse message of a control to the tooltip window.
    static void RelayToolTipEvent(HWND hwndTip, HWND window, UINT msg, WPARAM wParam,
                                  LPARAM lParam);

    HWND hwndToolBar;
};

// One button of a toolbar table.
struct LToolBarButton {
    WORD command;          // 0 for a separator
    short image;           // negative: the program's bitmap resource -image
    const char* label;     // may be null
    const char* tooltip;   // may be null
    BYTE style;            // 0 button, TBSTYLE_SEP, TBSTYLE_DROPDOWN
};

namespace LToolBar {
// The buttons' images are the program's bitmaps drawn for dpi.
void SetToolBar(HWND* phwndToolBar, const LToolBarButton* buttons, HWND parent, int count,
                int dpi);
// The buttons' tooltip texts; apart, since the tooltip window they need can
// wait until the toolbar has been seen.
void SetToolTips(HWND toolbar, const LToolBarButton* buttons, int count);
}

// A page of a property sheet (the install wizard).
class LPropertyPage : public LDialog {
public:
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The page procedure given to the property sheet; the page object is the
    // lParam of the page description.
    static INT_PTR CALLBACK PageDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

#endif

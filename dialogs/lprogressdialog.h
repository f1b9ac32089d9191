// A small modeless window with two text lines, a progress bar and Cancel,
// in which a long job runs synchronously on the user-interface thread. A job
// derives from it, does its work in MainFunction and calls PumpMessages often
// enough to keep the window alive and to notice Cancel.
#ifndef JOTWELL_DIALOGS_LPROGRESSDIALOG_H
#define JOTWELL_DIALOGS_LPROGRESSDIALOG_H

#include <windows.h>

class LProgressDialog {
public:
    explicit LProgressDialog(const char* title);

    virtual int MainFunction() = 0;
    virtual INT_PTR JobDialogProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // Opens the window, runs MainFunction and closes the window again.
    // Returns the job's result, or 0 when the window could not be opened.
    int Run(HWND owner);

    // Handles every waiting message of the thread. True once the window is
    // gone (the user pressed Cancel).
    bool PumpMessages();

    // line 0 is the upper text line, line 1 the lower one.
    void SetText(const char* text, int line);

    // fraction from 0.0 to 1.0, shown as a whole percentage.
    void SetProgress(double fraction);

    HWND hwnd;
    const char* szTitle;
    int iShownPercent;  // what the bar shows, so unchanged values cost nothing
    HICON hiconScaled;  // the program icon for a DPI above 96; null at 96

protected:
    ~LProgressDialog() {
        if (hiconScaled)
            DestroyIcon(hiconScaled);
    }

private:
    bool Open(HWND owner);
    static INT_PTR CALLBACK ProgressDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    LProgressDialog(const LProgressDialog&) = delete;
    LProgressDialog& operator=(const LProgressDialog&) = delete;
};

// Percentage shown for a fraction: fraction * 100, truncated. Window-free.
inline int ProgressPercent(double fraction) {
    return (int)(fraction * 100.0);
}

#endif

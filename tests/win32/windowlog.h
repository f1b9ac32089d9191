// Records the dialog windows of the test thread as they close: their
// caption and owner. Shows that a short-lived window, such as a progress
// dialog, was there, titled and owned as it should be.
#ifndef JOTWELL_TESTS_WIN32_WINDOWLOG_H
#define JOTWELL_TESTS_WIN32_WINDOWLOG_H

#include <windows.h>

#include <string>
#include <vector>

struct ClosedWindow {
    std::string caption;
    HWND owner;
};

class WindowLog {
public:
    WindowLog();
    ~WindowLog();

    // How many closed dialogs had that caption.
    int Count(const std::string& caption) const;
    // Owner of the last closed dialog with that caption; null if none.
    HWND OwnerOf(const std::string& caption) const;

private:
    WindowLog(const WindowLog&) = delete;
    WindowLog& operator=(const WindowLog&) = delete;

    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hHook;
};

#endif

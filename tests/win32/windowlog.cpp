#include "tests/win32/windowlog.h"

#include "tests/win32/testkit.h"

namespace {
// A hook procedure has no context; one log is active at a time.
std::vector<ClosedWindow> closed;
}  // namespace

WindowLog::WindowLog() {
    closed.clear();
    hHook = SetWindowsHookExA(WH_CBT, CbtProc, NULL, GetCurrentThreadId());
}

WindowLog::~WindowLog() {
    if (hHook)
        UnhookWindowsHookEx(hHook);
}

LRESULT CALLBACK WindowLog::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND) {
        HWND window = (HWND)wParam;
        char cls[16] = "";
        GetClassNameA(window, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0)
            closed.push_back(ClosedWindow{testkit::WindowText(window),
                                          GetWindow(window, GW_OWNER)});
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

int WindowLog::Count(const std::string& caption) const {
    int n = 0;
    for (const ClosedWindow& w : closed)
        n += w.caption == caption;
    return n;
}

HWND WindowLog::OwnerOf(const std::string& caption) const {
    for (auto it = closed.rbegin(); it != closed.rend(); ++it)
        if (it->caption == caption)
            return it->owner;
    return NULL;
}

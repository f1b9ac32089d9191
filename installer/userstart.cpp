#include "installer/userstart.h"

#include <windows.h>
#include <exdisp.h>
#include <objbase.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlobj.h>

#include "util/lfile.h"
#include "util/lowned.h"
#include "util/lwide.h"

namespace {

// The interfaces on the way from the desktop window to its shell object,
// defined here rather than taken from the uuid library.
const CLSID kClsidShellWindows = {0x9BA05972, 0xF6A8, 0x11CF,
                                  {0xA4, 0x42, 0x00, 0xA0, 0xC9, 0x0A, 0x8F, 0x39}};
const IID kIidShellWindows = {0x85CB6900, 0x4D95, 0x11CF,
                              {0x96, 0x0C, 0x00, 0x80, 0xC7, 0xF4, 0xEE, 0x85}};
const IID kIidServiceProvider = {0x6D5140C1, 0x7436, 0x11CE,
                                 {0x80, 0x34, 0x00, 0xAA, 0x00, 0x60, 0x09, 0xFA}};
const GUID kSidTopLevelBrowser = {0x4C96BE40, 0x915C, 0x11CF,
                                  {0x99, 0xD3, 0x00, 0xAA, 0x00, 0x4A, 0xE8, 0x37}};
const IID kIidShellBrowser = {0x000214E2, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidDispatch = {0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidShellFolderViewDual = {0xE7A1AF80, 0x4D96, 0x11CF,
                                     {0x96, 0x0C, 0x00, 0x80, 0xC7, 0xF4, 0xEE, 0x85}};
const IID kIidShellDispatch2 = {0xA4C6892C, 0x3BA9, 0x11D2,
                                {0x9D, 0xEA, 0x00, 0xC0, 0x4F, 0xB1, 0x61, 0x62}};

// A COM interface pointer released with its holder.
template <class T>
class ComPtr {
public:
    ComPtr() : p(NULL) {}
    ~ComPtr() {
        if (p)
            p->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    void** Out() { return (void**)&p; }
    T* p;
};

VARIANT Variant(VARTYPE type, LONG value) {
    VARIANT v;
    ZeroMemory(&v, sizeof v);
    v.vt = type;
    if (type == VT_I4)
        v.lVal = value;
    return v;
}

// The desktop's shell object runs in the shell's process, with the rights
// of the user's session; its ShellExecute starts the program there.
bool StartThroughDesktop(const char* program) {
    ComPtr<IShellWindows> windows;
    if (FAILED(CoCreateInstance(kClsidShellWindows, NULL, CLSCTX_LOCAL_SERVER, kIidShellWindows,
                                windows.Out())))
        return false;
    VARIANT location = Variant(VT_I4, CSIDL_DESKTOP);
    VARIANT empty = Variant(VT_EMPTY, 0);
    long desktopWindow = 0;
    ComPtr<IDispatch> desktop;
    if (windows.p->FindWindowSW(&location, &empty, SWC_DESKTOP, &desktopWindow,
                                SWFO_NEEDDISPATCH, (IDispatch**)desktop.Out()) != S_OK ||
        !desktop.p)
        return false;
    ComPtr<IServiceProvider> services;
    ComPtr<IShellBrowser> browser;
    ComPtr<IShellView> view;
    ComPtr<IDispatch> background;
    ComPtr<IShellFolderViewDual> folderView;
    ComPtr<IDispatch> application;
    ComPtr<IShellDispatch2> shell;
    if (FAILED(desktop.p->QueryInterface(kIidServiceProvider, services.Out())) ||
        FAILED(services.p->QueryService(kSidTopLevelBrowser, kIidShellBrowser, browser.Out())) ||
        FAILED(browser.p->QueryActiveShellView((IShellView**)view.Out())) || !view.p ||
        FAILED(view.p->GetItemObject(SVGIO_BACKGROUND, kIidDispatch, background.Out())) ||
        FAILED(background.p->QueryInterface(kIidShellFolderViewDual, folderView.Out())) ||
        FAILED(folderView.p->get_Application((IDispatch**)application.Out())) ||
        !application.p ||
        FAILED(application.p->QueryInterface(kIidShellDispatch2, shell.Out())))
        return false;
    WCHAR wide[LFILE_PATH];
    if (!MultiByteToWideChar(CP_UTF8, 0, program, -1, wide, LFILE_PATH))
        return false;
    BSTR file = SysAllocString(wide);
    if (!file)
        return false;
    VARIANT show = Variant(VT_I4, SW_SHOWNORMAL);
    HRESULT hr = shell.p->ShellExecute(file, empty, empty, empty, show);
    SysFreeString(file);
    return SUCCEEDED(hr);
}

}  // namespace

bool RunsWithRaisedRights() {
    HANDLE token = NULL;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return true;  // unknown: the safe answer
    LHandle owned(token);
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD size = 0;
    bool known = GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size) != FALSE;
    // Systems without the query have no split token: the rights are the user's.
    return known && type == TokenElevationTypeFull;
}

bool StartAsUser(const char* program) {
    if (RunsWithRaisedRights()) {
        HRESULT init = CoInitialize(NULL);
        bool started = StartThroughDesktop(program);
        if (SUCCEEDED(init))
            CoUninitialize();
        return started;
    }
    char command[LFILE_PATH + 2];
    wsprintfA(command, "\"%s\"", program);
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessW(LWide(program), LWide(command), NULL, NULL, FALSE, 0, NULL, NULL,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

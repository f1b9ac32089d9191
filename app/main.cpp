// The program entry: one program file is the notes program, its installer
// and its uninstaller, chosen by the last four bytes of the file.
#include <windows.h>

#include "dialogs/ldialog.h"
#include "installer/installdialog.h"
#include "installer/setuplayout.h"
#include "mainwindow/maindialog.h"
#include "resources/resource.h"
#include "util/lfile.h"
#include "util/lowned.h"
#include "util/lwide.h"

namespace {

const char kJobTitle[] = "Installing Jotwell v 1.02";

uint32_t ReadTrailer(const char* program) {
    LHandle file(CreateFileU(program, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, NULL));
    if (!file.IsOpen())
        return 0;
    unsigned char bytes[4];
    DWORD got = 0;
    bool ok = SetFilePointer(file.Get(), -4, NULL, FILE_END) != INVALID_SET_FILE_POINTER &&
              ReadFile(file.Get(), bytes, 4, &got, NULL) && got == 4;
    return ok ? ReadLE32(bytes) : 0;
}

// The running notes window: a top-level dialog titled "Jotwell". Message
// boxes of that caption are dialogs too, so the one with the menu bar wins.
HWND FindRunningInstance() {
    HWND found = NULL;
    HWND candidate = NULL;
    while ((candidate = FindWindowExA(NULL, candidate, MAKEINTATOM(0x8002), "Jotwell")) != NULL) {
        if (GetMenu(candidate))
            return candidate;
        if (!found)
            found = candidate;
    }
    return found;
}

// How long a running notes program gets to end: it may first save a note,
// or ask about a save that failed.
const DWORD kExitWaitMs = 15000;

// Asks a running notes window to end and waits for its process, so that
// its files can be replaced or deleted. False, after telling the user, when
// it is still running.
bool AskToExit(HWND running, const char* caption) {
    if (!running)
        return true;
    DWORD pid = 0;
    GetWindowThreadProcessId(running, &pid);
    LHandle process(pid ? OpenProcess(SYNCHRONIZE, FALSE, pid) : NULL);
    PostMessageA(running, WM_COMMAND, CM_EXIT, 0);
    bool ended;
    if (process.IsOpen()) {
        ended = WaitForSingleObject(process.Get(), kExitWaitMs) == WAIT_OBJECT_0;
    } else {
        // Without a handle, the window going is the best sign there is.
        DWORD start = GetTickCount();
        while (IsWindow(running) && GetTickCount() - start < kExitWaitMs)
            Sleep(100);
        ended = !IsWindow(running);
    }
    if (!ended)
        MessageBoxU(NULL,
                    "Jotwell is still running and could not be closed.\n\nClose Jotwell, "
                    "then try again.",
                    caption, MB_ICONEXCLAMATION | MB_OK);
    return ended;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    LSetInstance(hInstance);

    char program[MAX_PATH] = "";
    GetModuleFileNameU(NULL, program, MAX_PATH);
    char folder[LFILE_PATH];
    LFile::_GetFolderFromPath(folder, program);
    SetCurrentDirectoryW(LWide(folder));

    uint32_t trailer = ReadTrailer(program);
    char title[LFILE_PATH];
    LFile::_GetFileTitleFromPath(title, program);
    RunMode mode = ChooseRunMode(trailer, title);
    if (mode == RUN_CORRUPT_SETUP) {
        InstallDialog::ShowSetupCorrupt(NULL);
        return 0;
    }

    HWND running = FindRunningInstance();
    if (mode == RUN_INSTALL) {
        if (!AskToExit(running, "Install Error"))
            return 0;
        InstallDialog job(kJobTitle);
        job.Run(NULL);
        return 0;
    }
    if (mode == RUN_UNINSTALL) {
        if (!AskToExit(running, "Uninstall Jotwell"))
            return 0;
        UninstallDialog job(kJobTitle);
        job.Run(NULL);
        return 0;
    }
    if (running) {
        ShowWindow(running, SW_RESTORE);
        SetForegroundWindow(running);
        return 0;
    }

    MainDialog mainDialog;
    mainDialog.Open(NULL, MAKEINTRESOURCEA(IDD_MAIN));
    return 0;
}

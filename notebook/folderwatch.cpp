#include "notebook/folderwatch.h"

#include <string.h>

#include "util/lwide.h"

FolderWatch::FolderWatch()
    : hwndNotify(NULL), uMessage(0), hThread(NULL), hStop(NULL),
      hChange(INVALID_HANDLE_VALUE) {
    szFolder[0] = '\0';
}

FolderWatch::~FolderWatch() {
    Stop();
}

bool FolderWatch::Watching() const {
    return hThread != NULL;
}

void FolderWatch::Start(const char* folder, HWND window, UINT message) {
    if (hThread && LSameName(folder, szFolder))
        return;
    Stop();
    hwndNotify = window;
    uMessage = message;
    lstrcpynA(szFolder, folder, LFILE_PATH);
    // Names, sizes and write times: notes added, deleted, renamed, saved.
    hChange = FindFirstChangeNotificationW(LWide(folder), FALSE,
                                           FILE_NOTIFY_CHANGE_FILE_NAME |
                                               FILE_NOTIFY_CHANGE_SIZE |
                                               FILE_NOTIFY_CHANGE_LAST_WRITE);
    if (hChange == INVALID_HANDLE_VALUE)
        return;
    hStop = CreateEventA(NULL, TRUE, FALSE, NULL);
    hThread = hStop ? CreateThread(NULL, 0, ThreadMain, this, 0, NULL) : NULL;
    if (!hThread)
        Stop();
}

void FolderWatch::Stop() {
    if (hThread) {
        SetEvent(hStop);
        WaitForSingleObject(hThread, INFINITE);
        CloseHandle(hThread);
        hThread = NULL;
    }
    if (hStop)
        CloseHandle(hStop);
    hStop = NULL;
    if (hChange != INVALID_HANDLE_VALUE)
        FindCloseChangeNotification(hChange);
    hChange = INVALID_HANDLE_VALUE;
}

DWORD WINAPI FolderWatch::ThreadMain(void* watch) {
    ((FolderWatch*)watch)->Run();
    return 0;
}

void FolderWatch::Run() {
    HANDLE waits[2] = {hStop, hChange};
    for (;;) {
        DWORD woke = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
        if (woke != WAIT_OBJECT_0 + 1)
            return;  // stopped, or the notification failed: the look remains
        PostMessageA(hwndNotify, uMessage, 0, 0);
        if (!FindNextChangeNotification(hChange))
            return;
    }
}

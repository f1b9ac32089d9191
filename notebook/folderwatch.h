// A watch of one book folder for changes made from outside (another program,
// another computer on a shared folder): a thread that owns no window waits
// for the system's change notification and posts a message to the window.
// A folder that cannot be watched (a server without notifications, an
// error) is left to the window's periodic look, silently.
#ifndef JOTWELL_NOTEBOOK_FOLDERWATCH_H
#define JOTWELL_NOTEBOOK_FOLDERWATCH_H

#include <windows.h>

#include "util/lfile.h"

class FolderWatch {
public:
    FolderWatch();
    ~FolderWatch();

    // Watches folder instead of the one watched so far (the same folder goes
    // on being watched): message is posted to window at each change.
    void Start(const char* folder, HWND window, UINT message);
    void Stop();

    // True while notifications come from the folder.
    bool Watching() const;

private:
    static DWORD WINAPI ThreadMain(void* watch);
    void Run();

    HWND hwndNotify;
    UINT uMessage;
    HANDLE hThread;
    HANDLE hStop;
    HANDLE hChange;  // the system's notification, made before the thread starts
    char szFolder[LFILE_PATH];

    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;
};

#endif

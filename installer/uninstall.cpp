// The uninstall job. "uninst.exe" cannot delete its own file, so it first
// relaunches a copy of itself from a private folder in the temporary
// folder; that copy asks, removes the installation and then its own copy.
#include "installer/installdialog.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>
#include <objbase.h>

#include "installer/defaultbooks.h"
#include "installer/foldersecurity.h"
#include "installer/registry.h"
#include "installer/samplenotes.h"
#include "installer/setuplayout.h"
#include "installer/uninstallmessage.h"
#include "notebook/historystore.h"
#include "util/lfolder.h"
#include "util/lowned.h"
#include "util/lsystemlibrary.h"
#include "util/lwide.h"

namespace {

const char kCopyFolderPrefix[] = "Jotwell Uninstall ";
const char kCopyName[] = "uninst.exe";

// The temporary folder, with its trailing separator; false when the system
// gives none or one too long to hold the copy.
bool TempFolder(char* out) {
    DWORD length = GetTempPathU(LFILE_PATH, out);
    return length > 0 && length < LFILE_PATH - 64 && LFile::Exists(out);
}

// A new folder with a random name in the temporary folder that only this
// user can open, so that nobody can replace the copy that runs elevated.
bool MakePrivateFolder(char* out) {
    char temp[LFILE_PATH];
    if (!TempFolder(temp))
        return false;
    ProtectedSecurity security(ACL_PRIVATE_FOLDER);
    if (!security.Attributes())
        return false;
    for (int attempt = 0; attempt < 8; ++attempt) {
        GUID id;
        if (FAILED(CoCreateGuid(&id)))
            return false;
        snprintf(out, LFILE_PATH, "%s%s%08lX%04X%04X%02X%02X%02X%02X%02X%02X%02X%02X", temp,
                 kCopyFolderPrefix, (unsigned long)id.Data1, id.Data2, id.Data3, id.Data4[0],
                 id.Data4[1], id.Data4[2], id.Data4[3], id.Data4[4], id.Data4[5], id.Data4[6],
                 id.Data4[7]);
        if (CreateDirectoryU(out, security.Attributes()))
            return true;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return false;
}

// Stage 1: true when the copy has been started.
bool RelaunchFromPrivateFolder() {
    char folder[LFILE_PATH], copy[LFILE_PATH], self[LFILE_PATH] = "";
    if (!MakePrivateFolder(folder))
        return false;
    lstrcpynA(copy, folder, LFILE_PATH);
    LFile::FilePathCat(copy, kCopyName);
    GetModuleFileNameU(NULL, self, LFILE_PATH);
    char command[LFILE_PATH + 32];
    // Quoted: the temporary folder may hold blanks. The copy waits for this
    // process by its id before it deletes this file.
    snprintf(command, sizeof command, "\"%s\" /uninstall %lu", copy,
             (unsigned long)GetCurrentProcessId());
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (CopyFileU(self, copy, TRUE) && CreateProcessW(LWide(copy), LWide(command), NULL, NULL,
                                                      FALSE, 0, NULL, NULL, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
    DeleteFileU(copy);
    RemoveDirectoryU(folder);
    return false;
}

// Stage 2, at its end: the copy and its folder go, now or, where the system
// keeps a running program's file, at the next restart. Only a copy in a
// folder that stage 1 made is touched.
void RemoveOwnCopy() {
    char self[LFILE_PATH] = "", folder[LFILE_PATH], parent[LFILE_PATH], temp[LFILE_PATH];
    GetModuleFileNameU(NULL, self, LFILE_PATH);
    LFile::_GetFolderFromPath(folder, self);
    LFile::_GetFolderFromPath(parent, folder);
    LFile::FilePathCat(parent, "");
    const char* name = folder + strlen(parent);
    if (!TempFolder(temp) || !LSameName(parent, temp) ||
        strncmp(name, kCopyFolderPrefix, sizeof kCopyFolderPrefix - 1) != 0)
        return;
    if (!DeleteFileU(self))
        MoveFileExU(self, NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
    if (!RemoveDirectoryU(folder))
        MoveFileExU(folder, NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
}

typedef LONG(WINAPI* DeleteKeyFunction)(HKEY, LPCSTR);

DeleteKeyFunction ShellUtility(HMODULE library, const char* name) {
    FARPROC proc = library ? GetProcAddress(library, name) : NULL;
    // Through void (*)(void), the type that converts to any function type.
    return (DeleteKeyFunction)(void (*)(void))proc;
}

// Stage 2: waits (with a limit) until stage 1, named by its process id
// after the switch, has ended, so that its file can be deleted.
void WaitForFirstStage() {
    DWORD pid = __argc >= 3 ? (DWORD)strtoul(__argv[2], NULL, 10) : 0;
    LHandle process(pid ? OpenProcess(SYNCHRONIZE, FALSE, pid) : NULL);
    if (process.IsOpen())
        WaitForSingleObject(process.Get(), 10000);
}

}  // namespace

int UninstallDialog::MainFunction() {
    bool stage2 = __argc >= 2;
    if (!stage2 && RelaunchFromPrivateFolder())
        return true;
    if (PumpMessages())
        return false;
    WaitForFirstStage();
    if (MessageBoxU(hwnd, "Are you sure you want to remove Jotwell from this computer?",
                    "Uninstall Jotwell", MB_YESNO | MB_ICONERROR) == IDYES) {
        bool notesKept = !RemoveInstallation();
        // The history store stays, as notes do: it is the user's.
        char store[LFILE_PATH];
        if (!HistoryStoreRoot(store) || !LFile::Exists(store))
            store[0] = '\0';
        std::string text = UninstallClosingMessage(szProgramFolder, notesKept, store);
        if (!text.empty())
            MessageBoxU(hwnd, text.c_str(), "Uninstall Jotwell", MB_OK | MB_ICONINFORMATION);
    }
    if (stage2)
        RemoveOwnCopy();
    return true;
}

bool InstallDialog::RemoveInstallation() {
    char path[LFILE_PATH];
    GetDesktopShortcutPath(path);
    DeleteFileU(path);

    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                      KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegDeleteKeyA(key, "Uninstall\\Jotwell");
        RegCloseKey(key);
    }

    DeleteStartMenuItem("Jotwell");
    DeleteStartMenuItem("Jotwell Help");
    RemoveStartMenuGroup();

    // Only below the program folder this job worked out itself: the
    // folder settings may have been pointed anywhere.
    static const char* const kProgramFiles[] = {"jotwell.exe", "uninst.exe", "jotwell.hlp"};
    for (const char* name : kProgramFiles) {
        lstrcpynA(path, szProgramFolder, LFILE_PATH);
        LFile::FilePathCat(path, name);
        DeleteFileU(path);
    }
    bool removed = true;
    for (const DefaultBook& book : DEFAULT_BOOKS)
        removed = RemoveBookFolder(book.name) && removed;
    RemoveDirectoryU(szProgramFolder);
    removed = removed && !LFile::Exists(szProgramFolder);

    if (ReadRegistryString(HKEY_LOCAL_MACHINE, REG_CURRENT_VERSION, "ProgramFilesDir", path,
                           "C:\\Program Files")) {
        LFile::FilePathCat(path, "Korvane");
        RemoveDirectoryU(path);
    }
    DeleteKey();
    return removed;
}

bool InstallDialog::RemoveBookFolder(const char* name) {
    char folder[LFILE_PATH];
    lstrcpynA(folder, szProgramFolder, LFILE_PATH);
    LFile::FilePathCat(folder, name);
    if (LFile::IsReparsePoint(folder))
        return LFile::RemoveLink(folder);
    LFolderHold hold;
    if (!hold.Hold(folder))
        return !LFile::Exists(folder);
    for (int i = 0; i < SetupEntryCount(); ++i) {
        const SetupFileEntry& entry = SETUP_FILES[i];
        if (!SetupKeyIsProgramFolder(entry.folderKey) && strcmp(entry.folderKey, name) == 0)
            RemoveUnchangedSample(&hold, entry);
    }
    hold.Release();
    RemoveDirectoryU(folder);
    return !LFile::Exists(folder);
}

// The shell utility library stays loaded: the process ends soon after.
void InstallDialog::DeleteKey() {
    HMODULE shlwapi = LoadSystemLibrary("shlwapi.dll");
    DeleteKeyFunction deleteTree = ShellUtility(shlwapi, "SHDeleteKeyA");
    DeleteKeyFunction deleteEmpty = ShellUtility(shlwapi, "SHDeleteEmptyKeyA");
    if (deleteTree) {
        deleteTree(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Jotwell");
        deleteTree(HKEY_CURRENT_USER, "Software\\Korvane\\Jotwell");
    }
    if (deleteEmpty) {
        deleteEmpty(HKEY_LOCAL_MACHINE, "Software\\Korvane");
        deleteEmpty(HKEY_CURRENT_USER, "Software\\Korvane");
    }
}

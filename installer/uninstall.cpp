// The uninstall job. "uninst.exe" cannot delete its own file, so it first
// relaunches a copy of itself from the temporary folder; that copy asks and
// removes the installation.
#include "installer/installdialog.h"

#include <stdlib.h>
#include <windows.h>

#include "app/settings.h"
#include "installer/registry.h"

namespace {

// Stage 1: true when the copy in the temporary folder has been started.
bool RelaunchFromTempFolder() {
    char copy[LFILE_PATH] = "";
    char self[LFILE_PATH] = "";
    GetTempPathA(LFILE_PATH, copy);
    LFile::FilePathCat(copy, "uninst.exe");
    GetModuleFileNameA(NULL, self, LFILE_PATH);
    if (!CopyFileA(self, copy, FALSE))
        return false;
    // Quoted: the temporary folder may hold blanks.
    char command[LFILE_PATH + 16];
    wsprintfA(command, "\"%s\" /uninstall", copy);
    WinExec(command, SW_SHOWNORMAL);
    return true;
}

typedef LONG(WINAPI* DeleteKeyFunction)(HKEY, LPCSTR);

DeleteKeyFunction ShellUtility(HMODULE library, const char* name) {
    FARPROC proc = library ? GetProcAddress(library, name) : NULL;
    // Through void (*)(void), the type that converts to any function type.
    return (DeleteKeyFunction)(void (*)(void))proc;
}

}  // namespace

int UninstallDialog::MainFunction() {
    if (__argc < 2 && RelaunchFromTempFolder())
        return true;
    if (PumpMessages())
        return false;
    Sleep(250);  // lets stage 1 end, so its file can be deleted
    if (MessageBoxA(hwnd, "Are you sure you want to remove Jotwell from this computer?",
                    "Uninstall Jotwell", MB_YESNO | MB_ICONERROR) == IDYES)
        RemoveInstallation();
    return true;
}

bool InstallDialog::RemoveInstallation() {
    char path[LFILE_PATH];
    GetDesktopShortcutPath(path);
    DeleteFileA(path);

    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                      KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegDeleteKeyA(key, "Uninstall\\Jotwell");
        RegCloseKey(key);
    }

    DeleteStartMenuItem("Jotwell");
    DeleteStartMenuItem("Jotwell Help");
    RemoveStartMenuGroup();

    // Book folders first: they lie inside the program folder.
    const char* const folders[] = {"PhoneBook", "Diary", "Useful Web Links", "Other Notes",
                                   "DataFiles", "ProgramFiles"};
    for (const char* name : folders)
        DeleteDataFolder(name);

    if (ReadRegistryString(HKEY_LOCAL_MACHINE, REG_CURRENT_VERSION, "ProgramFilesDir", path,
                           "C:\\Program Files")) {
        LFile::FilePathCat(path, "Korvane");
        RemoveDirectoryA(path);
    }
    DeleteKey();
    return true;
}

void InstallDialog::DeleteDataFolder(const char* valueName) {
    char folder[SETTINGS_VALUE];
    SettingsGetString("Folders", valueName, "", folder);
    if (folder[0])
        LFile::DeleteFolderAndFiles(folder);
}

// The shell utility library stays loaded: the process ends soon after.
void InstallDialog::DeleteKey() {
    HMODULE shlwapi = LoadLibraryA("shlwapi");
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

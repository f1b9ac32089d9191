// The program folder, the default book folders and the start at logon.
#include "installer/installdialog.h"

#include <stdio.h>
#include <windows.h>

#include "app/settingkeys.h"
#include "installer/defaultbooks.h"
#include "installer/foldersecurity.h"
#include "installer/registry.h"
#include "util/lfolder.h"
#include "util/lwide.h"

const char* const REG_CURRENT_VERSION = "Software\\Microsoft\\Windows\\CurrentVersion";
const char* const REG_RUN_KEY = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const REG_RUN_VALUE = "JotwellRun";

void InstallDialog::GetProgramFilesPathRule(char* out) {
    ReadRegistryString(HKEY_LOCAL_MACHINE, REG_CURRENT_VERSION, "ProgramFilesDir", out,
                       "C:\\Program Files");
    LFile::FilePathCat(out, "Korvane");
    LFile::FilePathCat(out, "Jotwell");
}

void InstallDialog::GetInstallProgramFilesPath(char* out) {
    char path[LFILE_PATH];
    GetProgramFilesPathRule(path);
    char folder[LFILE_PATH];
    LFile::_GetFolderFromPath(folder, path);  // ...\Korvane
    char top[LFILE_PATH];
    LFile::_GetFolderFromPath(top, folder);  // the program-files folder
    CreateDirectoryU(top, NULL);
    CreateDirectoryU(folder, NULL);
    CreateProgramFolder(path);
    lstrcpynA(out, path, LFILE_PATH);
}

bool InstallDialog::CreateBookFolders() {
    for (const DefaultBook& book : DEFAULT_BOOKS)
        CreateDataFolder(book.name);
    return true;
}

void InstallDialog::CreateDataFolder(const char* name) {
    char path[LFILE_PATH];
    lstrcpynA(path, szProgramFolder, LFILE_PATH);
    LFile::FilePathCat(path, name);
    // Anyone may have put a link here; the setup writes into the folder
    // itself, never through a link.
    if (LFile::IsReparsePoint(path))
        LFile::RemoveLink(path);
    // Inherits the program folder's rights: shared with every user.
    CreateDirectoryU(path, NULL);
    SetDataFolderSetting(name, path);
}

void InstallDialog::GetDataFolder(const char* name, char* out) {
    GetDataFolderSetting(name, out);
    if (out[0])
        return;
    GetInstallProgramFilesPath(out);
    if (name)
        LFile::FilePathCat(out, name);
}

void InstallDialog::SetRunOnLogon(const char* programPath) {
    char data[LFILE_PATH + 16];
    snprintf(data, sizeof data, "\"%s\" /logon", programPath);
    WriteRegistryString(HKEY_LOCAL_MACHINE, REG_RUN_KEY, REG_RUN_VALUE, data);
}

void InstallDialog::DeleteRunOnLogon() {
    DeleteRegistryValue(HKEY_LOCAL_MACHINE, REG_RUN_KEY, REG_RUN_VALUE);
}

// Construction of the install and uninstall jobs.
#include "app/settingkeys.h"
#include "installer/installdialog.h"
#include "util/lwide.h"

InstallDialog::InstallDialog(const char* title)
    : LProgressDialog(title), bDeclined(true), bMadeProgramFolder(false), bMadeMakerFolder(false) {
    // Remembered, so that a setup that stops before it installs anything
    // takes away the folders it made.
    GetProgramFilesPathRule(szProgramFolder);
    char maker[LFILE_PATH];
    LFile::_GetFolderFromPath(maker, szProgramFolder);
    bMadeMakerFolder = !LFile::Exists(maker);
    bMadeProgramFolder = !LFile::Exists(szProgramFolder);
    GetInstallProgramFilesPath(szProgramFolder);
}

void InstallDialog::RecordProgramFolder() {
    SetProgramFilesSetting(szProgramFolder);
    SetDataFolderSetting(NULL, szProgramFolder);
}

void InstallDialog::RemoveMadeProgramFolder() {
    // Removing a folder fails while anything is in it, so nothing else goes.
    if (bMadeProgramFolder)
        RemoveDirectoryU(szProgramFolder);
    if (bMadeMakerFolder) {
        char maker[LFILE_PATH];
        LFile::_GetFolderFromPath(maker, szProgramFolder);
        RemoveDirectoryU(maker);
    }
}

UninstallDialog::UninstallDialog(const char* title) : InstallDialog(title) {
    RecordProgramFolder();
}

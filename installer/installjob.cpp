// Construction of the install and uninstall jobs.
#include "app/settingkeys.h"
#include "installer/installdialog.h"

InstallDialog::InstallDialog(const char* title) : LProgressDialog(title), bDeclined(true) {
    GetInstallProgramFilesPath(szProgramFolder);
    SetProgramFilesSetting(szProgramFolder);
    SetDataFolderSetting(NULL, szProgramFolder);
}

UninstallDialog::UninstallDialog(const char* title) : InstallDialog(title) {}

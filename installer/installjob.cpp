// Construction of the install and uninstall jobs.
#include "app/settings.h"
#include "installer/installdialog.h"

InstallDialog::InstallDialog(const char* title) : LProgressDialog(title), bDeclined(true) {
    GetInstallProgramFilesPath(szProgramFolder);
    SettingsSetString("Folders", "ProgramFiles", szProgramFolder);
    SettingsSetString("Folders", "DataFiles", szProgramFolder);
}

UninstallDialog::UninstallDialog(const char* title) : InstallDialog(title) {}

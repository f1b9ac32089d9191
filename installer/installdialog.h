// The install job and the installer operations the notes program shares:
// the program folder, the default book folders and the start at logon.
#ifndef JOTWELL_INSTALLER_INSTALLDIALOG_H
#define JOTWELL_INSTALLER_INSTALLDIALOG_H

#include "dialogs/lprogressdialog.h"
#include "util/lfile.h"

// Registry places outside the settings sections.
extern const char* const REG_CURRENT_VERSION;  // "Software\Microsoft\Windows\CurrentVersion"
extern const char* const REG_RUN_KEY;          // its "Run" sub-key
extern const char* const REG_RUN_VALUE;        // "JotwellRun"

class InstallDialog : public LProgressDialog {
public:
    // Determines (and creates) the program folder.
    explicit InstallDialog(const char* title);

    // Records the program folder as the program and data folders in the
    // settings: the uninstaller at once, the setup once its file is checked.
    void RecordProgramFolder();
    // Removes the program folder, and the maker's folder above it, when
    // this job made them and they are still empty.
    void RemoveMadeProgramFolder();

    int MainFunction() override;

    // Program folder and book folders (programfolder.cpp). The rule alone
    // creates nothing.
    static void GetProgramFilesPathRule(char* out);
    static void GetInstallProgramFilesPath(char* out);
    bool CreateBookFolders();
    void CreateDataFolder(const char* name);
    static void GetDataFolder(const char* name, char* out);

    // Start at logon (programfolder.cpp).
    static void SetRunOnLogon(const char* programPath);
    static void DeleteRunOnLogon();

    // The message for a setup file whose checksum does not match, at start
    // and during the copy alike.
    static void ShowSetupCorrupt(HWND owner);

    // Setup-file extraction (install.cpp).
    static void WriteFileTrailer(const char* path, unsigned long value);

    // Shell integration (shell.cpp).
    void Finalize();
    static void CreateShortcut(const char* linkPath, const char* target);
    static void GetDesktopShortcutPath(char* out);
    static bool GetStartMenuGroupFolder(char* out);
    static void AddStartMenuItem(const char* target, const char* name);
    static void DeleteStartMenuItem(const char* name);
    static void RemoveStartMenuGroup();

    // Removal (uninstall.cpp). Only what the setup itself installed goes,
    // and only under the program folder: the program files, the help file
    // and the sample files the user never changed; a book folder goes when
    // it ends up empty. True when every folder went; otherwise the user's
    // notes were kept in the program folder.
    bool RemoveInstallation();
    bool RemoveBookFolder(const char* name);
    static void DeleteKey();

    char szProgramFolder[LFILE_PATH];
    bool bDeclined;
    bool bMadeProgramFolder;
    bool bMadeMakerFolder;
};

class UninstallDialog : public InstallDialog {
public:
    explicit UninstallDialog(const char* title);
    int MainFunction() override;
};

#endif

// Shell integration: shortcuts on the desktop and in the start menu, the
// uninstaller copy, the entry in the list of installed programs, and the
// first start of the installed program.
#include "installer/installdialog.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "installer/foldersecurity.h"
#include "installer/registry.h"
#include "installer/setuplayout.h"
#include "installer/userstart.h"
#include "util/lowned.h"
#include "util/lwide.h"

namespace {

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Jotwell";

// The shell link class and its two interfaces, defined here rather than
// taken from the uuid library, which drags its debug sections into the
// program.
const CLSID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidShellLinkW = {0x000214F9, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kIidPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A shell folder from the all-users value, else the current user's, else
// fallback. The per-user value is read only when the common one cannot be.
void LookUpShellFolder(const char* common, const char* own, const char* fallback, char* out) {
    if (!ReadRegistryString(HKEY_LOCAL_MACHINE, kShellFolders, common, out, fallback))
        ReadRegistryString(HKEY_CURRENT_USER, kShellFolders, own, out, fallback);
}

void PathIn(const char* folder, const char* name, char* out) {
    lstrcpynA(out, folder, LFILE_PATH);
    LFile::FilePathCat(out, name);
}

// Quoted, so that a folder with blanks ("C:\Program Files") is not taken for
// a program "C:\Program" followed by arguments. out holds LFILE_PATH + 2.
void QuotePath(const char* path, char* out) {
    wsprintfA(out, "\"%s\"", path);
}

// Copies the program as a new file that carries the program files' rights
// from its creation on.
bool CopyProgramFile(const char* from, const char* to) {
    ProtectedSecurity security(ACL_PROGRAM_FILE);
    if (!security.Attributes() || (LFile::Exists(to) && !DeleteFileU(to)))
        return false;
    LHandle in(CreateFileU(from, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, NULL));
    if (!in.IsOpen())
        return false;
    LHandle out(CreateFileU(to, GENERIC_WRITE, 0, security.Attributes(), CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, NULL));
    bool ok = out.IsOpen();
    char buffer[SETUP_CHUNK];
    DWORD got = 0, written = 0;
    while (ok && ReadFile(in.Get(), buffer, sizeof buffer, &got, NULL) && got > 0)
        ok = WriteFile(out.Get(), buffer, got, &written, NULL) && written == got;
    return out.Close() && ok;
}

void WriteUninstallEntry(const char* program, const char* uninstaller) {
    char command[LFILE_PATH + 2];
    QuotePath(uninstaller, command);
    WriteRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName", "Jotwell Uninstall");
    WriteRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", command);
    WriteRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayIcon", program);
    WriteRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "Publisher", "Korvane");
    WriteRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayVersion", "1.02");
}

}  // namespace

void InstallDialog::Finalize() {
    char program[LFILE_PATH], desktop[LFILE_PATH], uninstaller[LFILE_PATH], help[LFILE_PATH];
    PathIn(szProgramFolder, "jotwell.exe", program);
    AddStartMenuItem(program, "Jotwell");
    GetDesktopShortcutPath(desktop);
    CreateShortcut(desktop, program);

    PathIn(szProgramFolder, "uninst.exe", uninstaller);
    CopyProgramFile(program, uninstaller);
    WriteUninstallEntry(program, uninstaller);
    WriteFileTrailer(program, SETUP_TRAILER_PROGRAM);
    WriteFileTrailer(uninstaller, SETUP_TRAILER_UNINSTALL);

    // Every user starts these files, so no user may change them; the book
    // folders beside them stay open to all.
    PathIn(szProgramFolder, "jotwell.hlp", help);
    ProtectProgramFile(program);
    ProtectProgramFile(uninstaller);
    ProtectProgramFile(help);
    AddStartMenuItem(help, "Jotwell Help");

    // Not with this process's administrator rights: the program stays in
    // the tray and opens the links clicked in notes.
    StartAsUser(program);
}

void InstallDialog::CreateShortcut(const char* linkPath, const char* target) {
    HRESULT init = CoInitialize(NULL);
    IShellLinkW* link = NULL;
    if (SUCCEEDED(CoCreateInstance(kClsidShellLink, NULL, CLSCTX_INPROC_SERVER, kIidShellLinkW,
                                   (void**)&link))) {
        link->SetPath(LWide(target));
        IPersistFile* file = NULL;
        if (SUCCEEDED(link->QueryInterface(kIidPersistFile, (void**)&file))) {
            file->Save(LWide(linkPath), TRUE);
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(init))
        CoUninitialize();
}

void InstallDialog::GetDesktopShortcutPath(char* out) {
    LookUpShellFolder("Common Desktop", "Desktop", "c:\\Windows\\Desktop", out);
    LFile::FilePathCat(out, "Jotwell.lnk");
}

bool InstallDialog::GetStartMenuGroupFolder(char* out) {
    char programs[LFILE_PATH];
    LookUpShellFolder("Common Programs", "Programs", "", programs);
    if (!programs[0])
        return false;
    CreateDirectoryU(programs, NULL);
    PathIn(programs, "Jotwell", out);
    return true;
}

void InstallDialog::AddStartMenuItem(const char* target, const char* name) {
    char link[LFILE_PATH];
    if (!GetStartMenuGroupFolder(link))
        return;
    CreateDirectoryU(link, NULL);
    LFile::FilePathCatExt(link, name, ".lnk");
    CreateShortcut(link, target);
}

void InstallDialog::DeleteStartMenuItem(const char* name) {
    char link[LFILE_PATH];
    if (!GetStartMenuGroupFolder(link))
        return;
    LFile::FilePathCatExt(link, name, ".lnk");
    DeleteFileU(link);
}

void InstallDialog::RemoveStartMenuGroup() {
    char group[LFILE_PATH];
    if (GetStartMenuGroupFolder(group))
        RemoveDirectoryU(group);
}

// Shell entries and their removal, in this process, against the real
// registry and file system: where shortcuts go when the system records
// fewer shell folders, and what a removal leaves of a used installation.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include "app/settings.h"
#include "installer/installdialog.h"
#include "installer/registry.h"
#include "tests/win32/installkit.h"
#include "tests/win32/testkit.h"

using installkit::SavedRegistryString;
using testkit::FileExists;

namespace {

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kCurrentVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Jotwell";

// The four shell folder values the installer reads, pointed into a
// temporary folder for one test.
class ShellFolders : public testing::Test {
protected:
    ShellFolders()
        : commonDesktop(HKEY_LOCAL_MACHINE, kShellFolders, "Common Desktop"),
          commonPrograms(HKEY_LOCAL_MACHINE, kShellFolders, "Common Programs"),
          desktop(HKEY_CURRENT_USER, kShellFolders, "Desktop"),
          programs(HKEY_CURRENT_USER, kShellFolders, "Programs") {}
    void SetUp() override {
        commonDesktop.Set(Dir("Public Desktop"));
        commonPrograms.Set(Dir("Public Programs"));
        desktop.Set(Dir("Desktop"));
        programs.Set(Dir("Programs"));
    }
    // A folder of that name in the temporary folder, not created.
    std::string Dir(const char* name) { return dir.File(name); }

    testkit::TempDir dir;
    SavedRegistryString commonDesktop, commonPrograms, desktop, programs;
};

std::string DesktopShortcutPath() {
    char path[LFILE_PATH];
    InstallDialog::GetDesktopShortcutPath(path);
    return path;
}

TEST_F(ShellFolders, ShortcutsGoToTheAllUsersFoldersFirst) {
    EXPECT_EQ(DesktopShortcutPath(), Dir("Public Desktop") + "\\Jotwell.lnk");
    char group[LFILE_PATH] = "untouched";
    ASSERT_TRUE(InstallDialog::GetStartMenuGroupFolder(group));
    EXPECT_EQ(std::string(group), Dir("Public Programs") + "\\Jotwell");
    EXPECT_TRUE(FileExists(Dir("Public Programs"))) << "the programs folder is created";
    EXPECT_FALSE(FileExists(group)) << "the group is created by its first item";

    commonDesktop.Remove();
    commonPrograms.Remove();
    EXPECT_EQ(DesktopShortcutPath(), Dir("Desktop") + "\\Jotwell.lnk");
    ASSERT_TRUE(InstallDialog::GetStartMenuGroupFolder(group));
    EXPECT_EQ(std::string(group), Dir("Programs") + "\\Jotwell");
}

TEST_F(ShellFolders, WithoutAProgramsFolderThereIsNoStartMenuGroup) {
    commonDesktop.Remove();
    commonPrograms.Remove();
    desktop.Remove();
    programs.Remove();
    EXPECT_EQ(DesktopShortcutPath(), "c:\\Windows\\Desktop\\Jotwell.lnk");
    char group[LFILE_PATH] = "untouched";
    EXPECT_FALSE(InstallDialog::GetStartMenuGroupFolder(group));
    EXPECT_STREQ(group, "untouched");
    InstallDialog::AddStartMenuItem("C:\\x\\jotwell.exe", "Jotwell");
    InstallDialog::DeleteStartMenuItem("Jotwell");
    InstallDialog::RemoveStartMenuGroup();
}

TEST_F(ShellFolders, StartMenuItemsAreShortcutsToTheirTargets) {
    std::string target = dir.File("Program Files") + "\\jotwell.exe";
    CreateDirectoryA(dir.File("Program Files").c_str(), NULL);
    ASSERT_TRUE(testkit::WriteFileText(target, "MZ"));
    InstallDialog::AddStartMenuItem(target.c_str(), "Jotwell");
    std::string link = Dir("Public Programs") + "\\Jotwell\\Jotwell.lnk";
    EXPECT_PRED2(installkit::SamePath, installkit::ShortcutTarget(link), target);

    InstallDialog::DeleteStartMenuItem("Jotwell");
    EXPECT_FALSE(FileExists(link));
    InstallDialog::RemoveStartMenuGroup();
    EXPECT_FALSE(FileExists(Dir("Public Programs") + "\\Jotwell"));
}

TEST(Trailer, IsAppendedLittleEndianToAnExistingFileOnly) {
    testkit::TempDir dir;
    std::string file = dir.File("uninst.exe");
    ASSERT_TRUE(testkit::WriteFileText(file, "MZ"));
    InstallDialog::WriteFileTrailer(file.c_str(), 0xF0F00F0F);
    EXPECT_EQ(testkit::ReadFileText(file), "MZ\x0F\x0F\xF0\xF0");
    InstallDialog::WriteFileTrailer(dir.File("missing.exe").c_str(), 0);
    EXPECT_FALSE(FileExists(dir.File("missing.exe")));
}

// An installation in a temporary program-files folder, used for a while,
// then removed.
class Removal : public ShellFolders {
protected:
    Removal() : programFiles(HKEY_LOCAL_MACHINE, kCurrentVersion, "ProgramFilesDir") {}
    void SetUp() override {
        ShellFolders::SetUp();
        testkit::ResetSettings();
        programFiles.Set(dir.path());
    }
    void TearDown() override {
        testkit::ResetSettings();
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Other");
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
        InstallDialog::DeleteRunOnLogon();
    }
    std::string Folder() { return dir.path() + "\\Korvane\\Jotwell"; }

    SavedRegistryString programFiles;
};

struct Job : InstallDialog {
    Job() : InstallDialog("Installing Jotwell v 1.02") {}
    int MainFunction() override { return 0; }
};

bool KeyExists(HKEY root, const char* key) {
    HKEY h;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    RegCloseKey(h);
    return true;
}

TEST_F(Removal, DeletesWhatItMadeAndKeepsWhatTheUserAddedBelowOrBeside) {
    Job job;
    job.CreateBookFolders();
    std::string folder = Folder();
    for (const char* file : {"jotwell.exe", "uninst.exe", "jotwell.hlp"})
        ASSERT_TRUE(testkit::WriteFileText(folder + "\\" + file, "x"));
    ASSERT_TRUE(testkit::WriteFileText(folder + "\\PhoneBook\\Ann Lee.txt", "note"));
    ASSERT_TRUE(testkit::WriteFileText(folder + "\\Diary\\Week 1.txt", "note"));
    ASSERT_TRUE(CreateDirectoryA((folder + "\\Diary\\Old years").c_str(), NULL));
    std::string program = folder + "\\jotwell.exe";
    CreateDirectoryA(Dir("Public Desktop").c_str(), NULL);
    InstallDialog::CreateShortcut(DesktopShortcutPath().c_str(), program.c_str());
    ASSERT_TRUE(FileExists(DesktopShortcutPath()));
    InstallDialog::AddStartMenuItem(program.c_str(), "Jotwell");
    InstallDialog::AddStartMenuItem((folder + "\\jotwell.hlp").c_str(), "Jotwell Help");
    ASSERT_TRUE(FileExists(Dir("Public Programs") + "\\Jotwell\\Jotwell Help.lnk"));
    WriteRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName", "Jotwell Uninstall");
    UserSettingsSetInt("Settings", "Hotkey", 0x40077);
    InstallDialog::SetRunOnLogon(program.c_str());
    WriteRegistryString(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Other", "Kept", "1");

    EXPECT_TRUE(job.RemoveInstallation());

    EXPECT_FALSE(FileExists(DesktopShortcutPath()));
    EXPECT_FALSE(FileExists(Dir("Public Programs") + "\\Jotwell"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(FileExists(folder + "\\PhoneBook"));
    // A sub-folder the user made keeps its book folder and the program
    // folder; the files directly in them are gone.
    EXPECT_TRUE(FileExists(folder + "\\Diary\\Old years"));
    EXPECT_FALSE(FileExists(folder + "\\Diary\\Week 1.txt"));
    EXPECT_FALSE(FileExists(folder + "\\jotwell.exe"));
    EXPECT_TRUE(FileExists(dir.path() + "\\Korvane"));
    // Settings go under both roots; the maker's key stays where another
    // product still uses it.
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Jotwell"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Korvane"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Other"));
    EXPECT_TRUE(testkit::RegValueExists(HKEY_LOCAL_MACHINE,
                                        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                                        "JotwellRun"))
        << "the logon value is not the uninstaller's";
}

}  // namespace

// Shell entries and their removal, in this process, against the real
// registry and file system: where shortcuts go when the system records
// fewer shell folders, and what a removal leaves of a used installation.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include "app/settings.h"
#include "app/settingkeys.h"
#include "installer/installdialog.h"
#include "installer/registry.h"
#include "installer/samplenotes.h"
#include "installer/setupextract.h"
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
    // Records a sample note as the setup does when it writes one.
    void RecordSample(const char* file, const std::string& text) {
        char recorded[SETUP_FINGERPRINT_TEXT];
        SetupFingerprintText((int64_t)text.size(),
                             SetupFingerprintAdd(SETUP_FINGERPRINT_START,
                                                 (const unsigned char*)text.data(), text.size()),
                             recorded);
        SetInstalledRecord(file, recorded);
    }

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
    // The setup's sample notes as it recorded them: one unchanged, one edited.
    std::string sample = "Name: Korvane", edited = "Name: Korvane, my notes";
    RecordSample("PhoneBook\\Korvane.txt", sample);
    RecordSample("Useful Web Links\\Software Links.txt", sample);
    ASSERT_TRUE(testkit::WriteFileText(folder + "\\PhoneBook\\Korvane.txt", sample));
    ASSERT_TRUE(testkit::WriteFileText(folder + "\\Useful Web Links\\Software Links.txt", edited));
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

    EXPECT_FALSE(job.RemoveInstallation()) << "notes were kept";

    EXPECT_FALSE(FileExists(DesktopShortcutPath()));
    EXPECT_FALSE(FileExists(Dir("Public Programs") + "\\Jotwell"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    // The program files and the unchanged sample go; the user's notes, an
    // edited sample and a sub-folder stay, and so do their folders.
    for (const char* file : {"jotwell.exe", "uninst.exe", "jotwell.hlp"})
        EXPECT_FALSE(FileExists(folder + "\\" + file)) << file;
    EXPECT_FALSE(FileExists(folder + "\\PhoneBook\\Korvane.txt"));
    EXPECT_EQ(testkit::ReadFileText(folder + "\\PhoneBook\\Ann Lee.txt"), "note");
    EXPECT_EQ(testkit::ReadFileText(folder + "\\Useful Web Links\\Software Links.txt"), edited);
    EXPECT_EQ(testkit::ReadFileText(folder + "\\Diary\\Week 1.txt"), "note");
    EXPECT_TRUE(FileExists(folder + "\\Diary\\Old years"));
    EXPECT_FALSE(FileExists(folder + "\\Other Notes")) << "an empty book folder goes";
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

// A sample the setup kept as the user changed it keeps the record of the
// install before; the samples it wrote get new ones.
TEST_F(Removal, ASampleTheSetupKeptKeepsItsRecord) {
    RecordSample("PhoneBook\\Korvane.txt", "Name: Korvane");
    char before[SETTINGS_VALUE], after[SETTINGS_VALUE], written[SETTINGS_VALUE];
    GetInstalledRecord("PhoneBook\\Korvane.txt", before);
    SetupWritten sizes = {};
    bool kept[SETUP_MAX_ENTRIES] = {};
    for (int i = 0; i < SetupEntryCount(); ++i) {
        sizes.size[i] = 7;
        kept[i] = !strcmp(SETUP_FILES[i].fileName, "Korvane.txt");
    }
    RecordSampleNotes(sizes, kept);
    GetInstalledRecord("PhoneBook\\Korvane.txt", after);
    GetInstalledRecord("PhoneBook\\template._txt", written);
    EXPECT_STREQ(after, before);
    EXPECT_STREQ(written, "7:0000000000000000");
}

TEST_F(Removal, EverythingGoesWhenTheUserAddedNothing) {
    Job job;
    job.CreateBookFolders();
    ASSERT_TRUE(testkit::WriteFileText(Folder() + "\\jotwell.exe", "x"));
    EXPECT_TRUE(job.RemoveInstallation());
    EXPECT_FALSE(FileExists(Folder()));
    EXPECT_FALSE(FileExists(dir.path() + "\\Korvane"));
}

// A book folder replaced by a link, and "Folders" values pointed elsewhere:
// nothing outside the program folder is touched, and no link is walked.
TEST_F(Removal, NeverWalksALinkNorLeavesTheProgramFolder) {
    Job job;
    job.CreateBookFolders();
    std::string victim = dir.File("Victim");
    ASSERT_TRUE(CreateDirectoryA(victim.c_str(), NULL));
    ASSERT_TRUE(testkit::WriteFileText(victim + "\\Korvane.txt", "system file"));
    ASSERT_TRUE(testkit::WriteFileText(victim + "\\jotwell.exe", "system file"));
    ASSERT_TRUE(RemoveDirectoryA((Folder() + "\\PhoneBook").c_str()));
    ASSERT_TRUE(installkit::MakeFolderLink(Folder() + "\\PhoneBook", victim));
    for (const char* name : {"Diary", "DataFiles", "ProgramFiles"})
        SettingsSetString("Folders", name, victim.c_str());
    RecordSample("PhoneBook\\Korvane.txt", "system file");

    job.RemoveInstallation();
    EXPECT_EQ(testkit::ReadFileText(victim + "\\Korvane.txt"), "system file");
    EXPECT_EQ(testkit::ReadFileText(victim + "\\jotwell.exe"), "system file");

    // The folder deletion of the file utilities does not walk it either.
    LFile::DeleteFolderAndFiles((Folder() + "\\PhoneBook").c_str());
    EXPECT_EQ(testkit::ReadFileText(victim + "\\Korvane.txt"), "system file");
}

}  // namespace

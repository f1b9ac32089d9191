// The setup file, run as a user runs it, on a clean machine: the script
// tests/win32/installer_e2e.sh starts each test of this program in a fresh
// Wine prefix. Every window is driven from outside the process that shows it.
#include <gtest/gtest.h>

#include <windows.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "app/settings.h"
#include "installer/registry.h"
#include "installer/setuplayout.h"
#include "resources/resource.h"
#include "tests/win32/installkit.h"
#include "tests/win32/testkit.h"

using namespace installkit;
using testkit::FileExists;
using testkit::Process;
using testkit::RegString;
using testkit::WindowText;

namespace {

const char kJobCaption[] = "Installing Jotwell v 1.02";
const char kCorruptText[] =
    "Installation file corrupt.\n\nA checksum error was detected in your install file, please "
    "redownload file and install again.";
const char kAdminText[] =
    "To install software you must be logged on as this computer's Administrator. If you are not "
    "able to do this, ask your computer Administrator to log in and run the setup file again.";
const char kExitText[] =
    "Setup is not complete. If you quit now, the program will not be installed.\r\n\r\nYou may "
    "run the setup program again at another time to complete the installation.\r\n\r\nExit "
    "Setup?";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Jotwell";
const char kCurrentVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char* const kBooks[] = {"PhoneBook", "Diary", "Useful Web Links", "Other Notes"};

// A path with blanks started without quotes runs "C:\Program.exe" when
// there is one. This program, copied there and beside the temporary folder
// (given a blank too), records such a start and ends.
const char* const kTraps[] = {"C:\\Program.exe", "C:\\Temp.exe"};
const char kTempFolder[] = "C:\\Temp Folder";
const char kTrapRecord[] = "C:\\jotwell-trap.txt";

struct TrapCheck {
    TrapCheck() {
        char self[MAX_PATH] = "";
        GetModuleFileNameA(NULL, self, MAX_PATH);
        for (const char* trap : kTraps) {
            if (lstrcmpiA(self, trap) == 0) {
                testkit::WriteFileText(kTrapRecord, GetCommandLineA());
                ExitProcess(0);
            }
        }
    }
} g_trapCheck;

std::string SetupFile() {
    return testkit::ProgramFolder() + "..\\JotwellSetup.exe";
}

std::string InFolder(const char* name) {
    return ProgramFolder() + "\\" + name;
}

std::string DesktopLink() {
    return CommonDesktop() + "\\Jotwell.lnk";
}

std::string StartMenuGroup() {
    return CommonPrograms() + "\\Jotwell";
}

// The data of one entry of a setup file.
std::string EntryBytes(const std::string& setup, int index) {
    SetupTail tail;
    if (!SetupParseTail((const unsigned char*)setup.data(), setup.size(), SetupEntryCount(),
                        &tail) ||
        tail.sizes[index] <= 0)
        return std::string();
    return setup.substr((size_t)SetupEntryOffset(tail.sizes, index), (size_t)tail.sizes[index]);
}

std::string Folders(const char* name) {
    char value[SETTINGS_VALUE];
    SettingsGetString("Folders", name, "", value);
    return value;
}

class SetupE2E : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FileExists(SetupFile())) << SetupFile();
        for (const char* trap : kTraps)
            ASSERT_TRUE(testkit::CopyTo(testkit::ProgramFolder() + "setup_e2e.exe", trap));
        DeleteFileA(kTrapRecord);
        // Inherited by every process the test starts.
        CreateDirectoryA(kTempFolder, NULL);
        SetEnvironmentVariableA("TMP", kTempFolder);
        SetEnvironmentVariableA("TEMP", kTempFolder);
    }
    void TearDown() override {
        EXPECT_FALSE(FileExists(kTrapRecord))
            << "a path with blanks was started unquoted: " << testkit::ReadFileText(kTrapRecord);
        for (const char* trap : kTraps)
            DeleteFileA(trap);
    }

    // Starts a setup file and finds its wizard.
    void StartSetup(Process& setup, Wizard* wizard, const std::string& file = SetupFile()) {
        ASSERT_TRUE(setup.Start("\"" + file + "\""));
        ASSERT_TRUE(WaitForWizard(setup.Id(), 30000, wizard)) << "no install wizard";
        EXPECT_EQ(WindowText(wizard->sheet), "Jotwell Install Wizard");
        HWND progress = GetWindow(wizard->sheet, GW_OWNER);
        EXPECT_EQ(WindowText(progress), kJobCaption) << "the wizard belongs to the progress window";
        EXPECT_FALSE(IsWindowEnabled(progress));
    }

    // Agrees and presses Install; Finish stays off until the choice.
    void AgreeAndInstall(const Wizard& wizard) {
        EXPECT_TRUE(WaitUntil([&] { return NothingToPress(wizard); }, 5000))
            << "a wizard button works before the user chose";
        Click(wizard, IDC_LICENCE_AGREE);
        ASSERT_TRUE(WaitForFinish(wizard, "&Install", 5000));
        PressWizardButton(wizard, PSBTN_FINISH);
    }

    // The installed program after its start by the installer: answers the
    // first start's diary question, returns its window.
    HWND WaitForInstalledProgram(bool firstStart, DWORD* pid) {
        if (firstStart) {
            HWND question = WaitForWindow("Create Diary", 30000, 0, "#32770", pid);
            EXPECT_NE(question, (HWND)NULL) << "the installed program did not start";
            if (!question)
                return NULL;
            Answer(question, IDNO);
        }
        HWND window = WaitForWindow("Jotwell", 30000, firstStart ? *pid : 0, "#32770", pid);
        EXPECT_NE(window, (HWND)NULL) << "no main window of the installed program";
        return window;
    }

    void CloseProgram(HWND window, DWORD pid) {
        ProcessHandle program(pid);
        PostMessageA(window, WM_COMMAND, CM_EXIT, 0);
        EXPECT_EQ(program.Wait(20000), 0);
    }

    // Installs on a clean machine, then ends the program the setup started.
    void InstallAndClose() {
        Process setup;
        Wizard wizard;
        ASSERT_NO_FATAL_FAILURE(StartSetup(setup, &wizard));
        ASSERT_NO_FATAL_FAILURE(AgreeAndInstall(wizard));
        DWORD pid = 0;
        HWND program = WaitForInstalledProgram(true, &pid);
        ASSERT_NE(program, (HWND)NULL);
        EXPECT_EQ(setup.Wait(20000), 0);
        CloseProgram(program, pid);
    }

    // changed: a sample note the user edited, which the setup leaves as it is.
    void ExpectInstalledFiles(const std::string& changed = std::string()) {
        std::string setup = testkit::ReadFileText(SetupFile());
        std::string image = EntryBytes(setup, 0);
        ASSERT_FALSE(image.empty());
        std::string program = testkit::ReadFileText(InFolder("jotwell.exe"));
        std::string uninstaller = testkit::ReadFileText(InFolder("uninst.exe"));
        EXPECT_TRUE(program == image + std::string(4, '\0')) << "jotwell.exe: the image and 0";
        EXPECT_TRUE(uninstaller == image + "\x0F\x0F\xF0\xF0") << "uninst.exe: the image and "
                                                                  "its trailer";
        for (int i = 1; i < SetupEntryCount(); ++i) {
            char target[MAX_PATH];
            SetupTargetPath(ProgramFolder().c_str(), SETUP_FILES[i], target);
            if (changed == target)
                continue;
            EXPECT_TRUE(testkit::ReadFileText(target) == EntryBytes(setup, i)) << target;
        }
        for (const char* book : kBooks) {
            EXPECT_TRUE(FileExists(InFolder(book))) << book;
            EXPECT_EQ(Folders(book), InFolder(book));
        }
        EXPECT_EQ(Folders("ProgramFiles"), ProgramFolder());
        EXPECT_EQ(Folders("DataFiles"), ProgramFolder());
        for (const char* name : {"jotwell.exe", "uninst.exe", "jotwell.hlp"}) {
            FileRights rights = StoredFileRights(InFolder(name));
            if (!rights.kept)
                continue;  // Wine keeps no DACLs of its own
            EXPECT_TRUE(rights.isProtected) << name;
            EXPECT_FALSE(rights.everyoneMayChange) << name;
        }
    }

    void ExpectShellEntries() {
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"),
                  "Jotwell Uninstall");
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"),
                  "\"" + InFolder("uninst.exe") + "\"");
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayIcon"),
                  InFolder("jotwell.exe"));
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "Publisher"), "Korvane");
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayVersion"), "1.02");
        EXPECT_PRED2(SamePath, ShortcutTarget(DesktopLink()), InFolder("jotwell.exe"));
        EXPECT_PRED2(SamePath, ShortcutTarget(StartMenuGroup() + "\\Jotwell.lnk"),
                     InFolder("jotwell.exe"));
        EXPECT_PRED2(SamePath, ShortcutTarget(StartMenuGroup() + "\\Jotwell Help.lnk"),
                     InFolder("jotwell.hlp"));
    }

    void ExpectNoShellEntries() {
        EXPECT_FALSE(FileExists(DesktopLink()));
        EXPECT_FALSE(FileExists(StartMenuGroup()));
        EXPECT_FALSE(testkit::RegValueExists(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"));
        EXPECT_FALSE(FileExists(InFolder("uninst.exe")));
    }

    // Runs the uninstall entry's command as the list of installed programs
    // does, and answers the second stage's question. The first stage must
    // hand over to a copy in a new folder of its own in the temporary
    // folder, which is gone when the second stage has ended. With kept,
    // answers the closing message that the notes were kept (kKeptMaybe: if
    // one comes).
    enum { kKeptNo, kKeptYes, kKeptMaybe };
    void Uninstall(int answer, int kept = kKeptNo) {
        std::string command = RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString");
        std::string installed = testkit::ReadFileText(InFolder("uninst.exe"));
        Process first;
        ASSERT_TRUE(first.Start(command));
        EXPECT_EQ(first.Wait(20000), 0);
        DWORD pid = 0;
        HWND question = WaitForWindow("Uninstall Jotwell", 20000, 0, "#32770", &pid);
        ASSERT_NE(question, (HWND)NULL);
        ProcessHandle second(pid);
        EXPECT_NE(pid, first.Id());
        EXPECT_EQ(testkit::ControlText(question, 0xFFFF),
                  "Are you sure you want to remove Jotwell from this computer?");
        EXPECT_EQ(WindowText(GetWindow(question, GW_OWNER)), kJobCaption);
        std::string copy = ProcessImage(pid);
        std::string temp = TempFolder();
        size_t slash = copy.find_last_of('\\');
        ASSERT_NE(slash, std::string::npos);
        std::string folder = copy.substr(0, slash);
        EXPECT_TRUE(folder.size() > temp.size() &&
                    SamePath(folder.substr(0, temp.size()), temp) &&
                    folder.find('\\', temp.size()) == std::string::npos)
            << "the second stage runs from a new folder in the temporary folder: " << copy;
        EXPECT_FALSE(FileExists(temp + "uninst.exe")) << "a fixed name anyone could take";
        EXPECT_TRUE(testkit::ReadFileText(copy) == installed);
        Answer(question, answer);
        if (answer == IDYES && kept != kKeptNo) {
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(question); }, 10000));
            HWND box = WaitForWindow("Uninstall Jotwell", kept == kKeptYes ? 20000 : 5000, pid,
                                     "#32770");
            if (kept == kKeptYes) {
                EXPECT_NE(box, (HWND)NULL) << "no word that the notes were kept";
            }
            if (box) {
                std::string message = testkit::ControlText(box, 0xFFFF);
                EXPECT_NE(message.find("notes were kept, in the folder\n\n" + ProgramFolder()),
                          std::string::npos) << message;
                Answer(box, IDOK);
            }
        }
        EXPECT_EQ(second.Wait(20000), 0);
        EXPECT_TRUE(GoneOrDeletedAtRestart(copy)) << copy;
        EXPECT_TRUE(GoneOrDeletedAtRestart(folder)) << folder;
    }

    // Gone now, or listed for deletion at the next restart.
    static bool GoneOrDeletedAtRestart(const std::string& path) {
        if (!FileExists(path))
            return true;
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                          0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        std::string list(65536, '\0');
        DWORD size = (DWORD)list.size();
        bool read = RegQueryValueExA(key, "PendingFileRenameOperations", NULL, NULL,
                                     (BYTE*)&list[0], &size) == ERROR_SUCCESS;
        RegCloseKey(key);
        return read && list.find(path) != std::string::npos;
    }

    // Makes the folder C:\Victim, as a standard user could point a link at
    // it, with files that look like the installation's.
    std::string MakeVictim() {
        std::string victim = "C:\\Victim";
        CreateDirectoryA(victim.c_str(), NULL);
        for (const char* name : {"Korvane.txt", "template._txt", "jotwell.exe"})
            EXPECT_TRUE(testkit::WriteFileText(victim + "\\" + name, "system file"));
        return victim;
    }

    void ExpectVictimUntouched(const std::string& victim) {
        for (const char* name : {"Korvane.txt", "template._txt", "jotwell.exe"})
            EXPECT_EQ(testkit::ReadFileText(victim + "\\" + name), "system file") << name;
    }
};

TEST_F(SetupE2E, InstallReinstallAndUninstall) {
    // Install on a clean machine; the installed program starts.
    Process setup;
    Wizard wizard;
    ASSERT_NO_FATAL_FAILURE(StartSetup(setup, &wizard));
    ASSERT_NO_FATAL_FAILURE(AgreeAndInstall(wizard));
    DWORD pid = 0;
    HWND program = WaitForInstalledProgram(true, &pid);
    ASSERT_NE(program, (HWND)NULL);
    EXPECT_EQ(setup.Wait(20000), 0);
    ASSERT_NO_FATAL_FAILURE(ExpectInstalledFiles());
    ASSERT_NO_FATAL_FAILURE(ExpectShellEntries());

    // The user's own notes, in a default book and in a book elsewhere, a
    // changed starting note and a per-user setting.
    std::string ownNote = InFolder("PhoneBook") + "\\Ann Lee.txt";
    std::string sample = InFolder("PhoneBook") + "\\Korvane.txt";
    std::string elsewhere = "C:\\My Notes";
    ASSERT_TRUE(testkit::WriteFileText(ownNote, "Name: Ann Lee"));
    ASSERT_TRUE(testkit::WriteFileText(sample, "changed"));
    CreateDirectoryA(elsewhere.c_str(), NULL);
    ASSERT_TRUE(testkit::WriteFileText(elsewhere + "\\Ideas.txt", "keep me"));
    UserSettingsSetInt("Settings", "Hotkey", 0x40077);  // Shift+F8

    // Reinstall while the program runs: it is asked to end first, the
    // installation is renewed, the user's notes and changed sample stay.
    ProcessHandle firstRun(pid);
    Process again;
    ASSERT_NO_FATAL_FAILURE(StartSetup(again, &wizard));
    EXPECT_EQ(firstRun.Wait(10000), 0) << "the running program was not asked to end";
    ASSERT_NO_FATAL_FAILURE(AgreeAndInstall(wizard));
    program = WaitForInstalledProgram(false, &pid);
    ASSERT_NE(program, (HWND)NULL);
    EXPECT_EQ(again.Wait(20000), 0);
    EXPECT_EQ(testkit::ReadFileText(ownNote), "Name: Ann Lee");
    EXPECT_EQ(testkit::ReadFileText(sample), "changed");
    ASSERT_NO_FATAL_FAILURE(ExpectInstalledFiles(sample));
    ASSERT_NO_FATAL_FAILURE(ExpectShellEntries());

    // F1 in the installed program opens the installed help file.
    PostMessageA(program, WM_KEYDOWN, VK_F1, 1);
    HWND viewer = NULL;
    for (int i = 0; i < 200 && !viewer; ++i) {
        viewer = FindWindowA("MS_WINHELP", "Jotwell Help");
        Sleep(100);
    }
    EXPECT_NE(viewer, (HWND)NULL) << "F1 found no help file beside the installed program";
    if (viewer)
        PostMessageA(viewer, WM_CLOSE, 0, 0);
    CloseProgram(program, pid);

    // No keeps everything.
    ASSERT_NO_FATAL_FAILURE(Uninstall(IDNO));
    ASSERT_NO_FATAL_FAILURE(ExpectInstalledFiles(sample));
    ASSERT_NO_FATAL_FAILURE(ExpectShellEntries());
    EXPECT_TRUE(FileExists(ownNote));

    // Yes removes the installation and both settings keys, and what the
    // setup put into the books unless the user changed it; the user's notes
    // and the folders that hold them stay, and the closing message says
    // where. The book elsewhere stays.
    std::string links = InFolder("Useful Web Links") + "\\Software Links.txt";
    ASSERT_TRUE(testkit::WriteFileText(links, "my own links"));
    ASSERT_NO_FATAL_FAILURE(Uninstall(IDYES, kKeptYes));
    ExpectNoShellEntries();
    EXPECT_FALSE(testkit::RegValueExists(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"));
    for (const char* name : {"jotwell.exe", "jotwell.hlp", "PhoneBook\\template._txt", "Diary",
                             "Other Notes"})
        EXPECT_FALSE(FileExists(InFolder(name))) << name;
    EXPECT_EQ(testkit::ReadFileText(ownNote), "Name: Ann Lee");
    EXPECT_EQ(testkit::ReadFileText(sample), "changed");
    EXPECT_EQ(testkit::ReadFileText(links), "my own links");
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        HKEY key;
        bool kept = RegOpenKeyExA(root, "Software\\Korvane", 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (kept)
            RegCloseKey(key);
        EXPECT_FALSE(kept) << (root == HKEY_LOCAL_MACHINE ? "machine" : "user") << " settings";
    }
    EXPECT_EQ(testkit::ReadFileText(elsewhere + "\\Ideas.txt"), "keep me");
}

// A standard user may replace a book folder with a link and point the
// "Folders" values anywhere; neither the setup run again nor the
// uninstaller then writes or deletes anything outside the program folder.
TEST_F(SetupE2E, LinksAndFoldersValuesLeadNowhereElse) {
    ASSERT_NO_FATAL_FAILURE(InstallAndClose());

    std::string victim = MakeVictim();
    std::string phoneBook = InFolder("PhoneBook");
    for (const char* name : {"template._txt", "Korvane.txt"})
        ASSERT_TRUE(DeleteFileA((phoneBook + "\\" + name).c_str()));
    ASSERT_TRUE(RemoveDirectoryA(phoneBook.c_str()));
    ASSERT_TRUE(MakeFolderLink(phoneBook, victim)) << "no symbolic link could be made";

    // Installing again writes no sample note through the link: where the
    // link cannot be replaced by a folder, the install stops with a message.
    Process again;
    Wizard wizard;
    ASSERT_NO_FATAL_FAILURE(StartSetup(again, &wizard));
    ASSERT_NO_FATAL_FAILURE(AgreeAndInstall(wizard));
    HWND box = WaitForWindow("Install Error", 30000, again.Id());
    if (box) {
        EXPECT_NE(testkit::ControlText(box, 0xFFFF).find(phoneBook), std::string::npos);
        Answer(box, IDOK);
    } else {
        DWORD pid = 0;
        HWND program = WaitForInstalledProgram(false, &pid);
        if (program)
            CloseProgram(program, pid);
    }
    EXPECT_EQ(again.Wait(20000), 0);
    ExpectVictimUntouched(victim);

    for (const char* name : {"Diary", "Other Notes", "DataFiles", "ProgramFiles"})
        SettingsSetString("Folders", name, victim.c_str());
    ASSERT_NO_FATAL_FAILURE(Uninstall(IDYES, kKeptMaybe));
    ExpectVictimUntouched(victim);
    for (const char* name : {"jotwell.exe", "uninst.exe", "jotwell.hlp", "Diary"})
        EXPECT_FALSE(FileExists(InFolder(name))) << name;
    ExpectNoShellEntries();
}

TEST_F(SetupE2E, RefusedDeclinedAndCancelledSetups) {
    // A program folder that cannot be made: the administrator message, no
    // owner, no wizard.
    std::string programFiles = ProgramFilesDir();
    WriteRegistryString(HKEY_LOCAL_MACHINE, kCurrentVersion, "ProgramFilesDir", "Q:\\Missing");
    {
        Process setup;
        ASSERT_TRUE(setup.Start("\"" + SetupFile() + "\""));
        HWND box = WaitForWindow("Install Error", 30000, setup.Id());
        ASSERT_NE(box, (HWND)NULL);
        EXPECT_EQ(testkit::ControlText(box, 0xFFFF), kAdminText);
        EXPECT_EQ(GetWindow(box, GW_OWNER), (HWND)NULL);
        Answer(box, IDOK);
        EXPECT_EQ(setup.Wait(20000), 0);
    }
    WriteRegistryString(HKEY_LOCAL_MACHINE, kCurrentVersion, "ProgramFilesDir",
                        programFiles.c_str());

    // Declined: "Close" ends the setup without a word and installs nothing.
    {
        Process setup;
        Wizard wizard;
        ASSERT_NO_FATAL_FAILURE(StartSetup(setup, &wizard));
        Click(wizard, IDC_LICENCE_DECLINE);
        ASSERT_TRUE(WaitForFinish(wizard, "Close", 5000));
        PressWizardButton(wizard, PSBTN_FINISH);
        EXPECT_EQ(setup.Wait(20000), 0);
        ExpectNoShellEntries();
        EXPECT_FALSE(FileExists(InFolder("jotwell.exe")));
        EXPECT_FALSE(FileExists(InFolder("PhoneBook")));
    }

    // Cancelled: Cancel to "Exit Setup" keeps the wizard as it was, OK ends
    // the setup although "I agree" was chosen.
    {
        Process setup;
        Wizard wizard;
        ASSERT_NO_FATAL_FAILURE(StartSetup(setup, &wizard));
        Click(wizard, IDC_LICENCE_AGREE);
        PressWizardButton(wizard, PSBTN_CANCEL);
        HWND confirm = WaitForWindow("Exit Setup", 10000, setup.Id());
        ASSERT_NE(confirm, (HWND)NULL);
        EXPECT_EQ(testkit::ControlText(confirm, 0xFFFF), kExitText);
        Answer(confirm, IDCANCEL);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(confirm); }, 5000));
        EXPECT_TRUE(IsWindowVisible(wizard.sheet));
        EXPECT_TRUE(IsChecked(wizard, IDC_LICENCE_AGREE));
        PressWizardButton(wizard, PSBTN_CANCEL);
        confirm = WaitForWindow("Exit Setup", 10000, setup.Id());
        ASSERT_NE(confirm, (HWND)NULL);
        Answer(confirm, IDOK);
        EXPECT_EQ(setup.Wait(20000), 0);
        ExpectNoShellEntries();
        EXPECT_FALSE(FileExists(InFolder("jotwell.exe")));
    }

    // Cancel during the copy stops it after the current chunk, silently.
    {
        Process setup;
        Wizard wizard;
        ASSERT_NO_FATAL_FAILURE(StartSetup(setup, &wizard));
        HWND progress = GetWindow(wizard.sheet, GW_OWNER);
        ASSERT_NO_FATAL_FAILURE(AgreeAndInstall(wizard));
        // Past half way: the setup file has been checked and is being copied.
        ASSERT_TRUE(WaitForProgress(progress, 60, 30000));
        Answer(progress, IDCANCEL);
        EXPECT_EQ(setup.Wait(20000), 0);
        std::string image = EntryBytes(testkit::ReadFileText(SetupFile()), 0);
        std::string copied = testkit::ReadFileText(InFolder("jotwell.exe"));
        EXPECT_GT(copied.size(), 0u);
        EXPECT_LT(copied.size(), image.size()) << "the copy went on after Cancel";
        EXPECT_FALSE(FileExists(InFolder("jotwell.hlp")));
        ExpectNoShellEntries();
    }
}

// One byte of the last sample changed: the setup finds it before it writes
// anything, on a clean machine and over an installed program alike, and a
// good setup run afterwards installs every sample as it should be.
TEST_F(SetupE2E, ADamagedSetupChangesNothing) {
    testkit::TempDir dir;
    std::string damaged = dir.File("JotwellSetup.exe");
    std::string bytes = testkit::ReadFileText(SetupFile());
    SetupTail tail;
    ASSERT_TRUE(SetupParseTail((const unsigned char*)bytes.data(), bytes.size(), SetupEntryCount(),
                               &tail));
    bytes[(size_t)SetupEntryOffset(tail.sizes, SetupEntryCount()) - 1] ^= 0x20;
    ASSERT_TRUE(testkit::WriteFileText(damaged, bytes));
    auto runDamaged = [&] {
        Process setup;
        Wizard wizard;
        ASSERT_NO_FATAL_FAILURE(StartSetup(setup, &wizard, damaged));
        ASSERT_NO_FATAL_FAILURE(AgreeAndInstall(wizard));
        HWND box = WaitForWindow("Install Error", 30000, setup.Id());
        ASSERT_NE(box, (HWND)NULL);
        EXPECT_EQ(testkit::ControlText(box, 0xFFFF), kCorruptText);
        EXPECT_EQ(WindowText(GetWindow(box, GW_OWNER)), kJobCaption);
        Answer(box, IDOK);
        EXPECT_EQ(setup.Wait(20000), 0);
        EXPECT_EQ(WaitForWindow("Jotwell", 2000, 0, "#32770"), (HWND)NULL)
            << "the program started after a failed install";
    };

    // A clean machine stays clean: no folder, no value, no entry.
    ASSERT_NO_FATAL_FAILURE(runDamaged());
    EXPECT_FALSE(FileExists(ProgramFolder()));
    EXPECT_FALSE(FileExists(ProgramFilesDir() + "\\Korvane"));
    EXPECT_EQ(Folders("ProgramFiles"), "");
    EXPECT_EQ(Folders("PhoneBook"), "");
    ExpectNoShellEntries();

    // The good setup afterwards installs every sample byte for byte.
    ASSERT_NO_FATAL_FAILURE(InstallAndClose());
    ASSERT_NO_FATAL_FAILURE(ExpectInstalledFiles());

    // Over the installed program, every installed file stays as it was.
    std::vector<std::string> installed = {"jotwell.exe", "uninst.exe", "jotwell.hlp"};
    for (int i = 2; i < SetupEntryCount(); ++i)
        installed.push_back(std::string(SETUP_FILES[i].folderKey) + "\\" + SETUP_FILES[i].fileName);
    std::vector<std::string> before;
    for (const std::string& name : installed)
        before.push_back(testkit::ReadFileText(InFolder(name.c_str())));
    ASSERT_NO_FATAL_FAILURE(runDamaged());
    for (size_t i = 0; i < installed.size(); ++i)
        EXPECT_TRUE(testkit::ReadFileText(InFolder(installed[i].c_str())) == before[i])
            << installed[i];
    ASSERT_NO_FATAL_FAILURE(ExpectShellEntries());

    // The samples are known as the setup's own, so the uninstaller takes
    // them and keeps no notes.
    ASSERT_NO_FATAL_FAILURE(Uninstall(IDYES));
    for (size_t i = 2; i < installed.size(); ++i)
        EXPECT_FALSE(FileExists(InFolder(installed[i].c_str()))) << installed[i];
    ExpectNoShellEntries();
}

// A full disk: the setup runs with the size of the files it may write
// limited below the program's (the host's "ulimit -f", with SIGXFSZ ignored,
// so that a write past the limit fails as it does on a full disk). The
// install stops with a message before any shell entry is made.
TEST_F(SetupE2E, AShortWriteStopsTheInstall) {
    char loader[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("JW_WINE", loader, MAX_PATH))
        lstrcpyA(loader, sizeof(void*) == 8 ? "/usr/lib/wine/wine64" : "/usr/lib/wine/wine");
    std::string image = EntryBytes(testkit::ReadFileText(SetupFile()), 0);
    ASSERT_GT(image.size(), 256u * 1024u);
    std::string setup = SetupFile();
    for (char& c : setup)
        if (c == '\\')
            c = '/';
    Process shell;
    ASSERT_TRUE(shell.Start("/bin/sh -c \"ulimit -f 256; trap '' XFSZ; exec '" +
                            std::string(loader) + "' '" + setup + "'\""));
    Wizard wizard;
    DWORD pid = 0;
    ASSERT_NE(WaitForWindow(kJobCaption, 30000, 0, NULL, &pid), (HWND)NULL);
    ASSERT_TRUE(WaitForWizard(pid, 30000, &wizard));
    ASSERT_NO_FATAL_FAILURE(AgreeAndInstall(wizard));
    HWND box = WaitForWindow("Install Error", 60000, pid);
    ASSERT_NE(box, (HWND)NULL) << "the install did not notice the failed write";
    std::string message = testkit::ControlText(box, 0xFFFF);
    EXPECT_NE(message.find("could not be installed"), std::string::npos) << message;
    EXPECT_NE(message.find("\n\n" + InFolder("jotwell.exe") + "\n\n"), std::string::npos)
        << message;
    EXPECT_EQ(WindowText(GetWindow(box, GW_OWNER)), kJobCaption);
    EXPECT_LT(testkit::ReadFileText(InFolder("jotwell.exe")).size(), image.size());
    Answer(box, IDOK);
    ProcessHandle job(pid);
    EXPECT_EQ(job.Wait(20000), 0);
    ExpectNoShellEntries();
    EXPECT_FALSE(FileExists(InFolder("jotwell.hlp")));
    EXPECT_EQ(WaitForWindow("Jotwell", 2000, 0, "#32770"), (HWND)NULL)
        << "the program started after a failed install";
}

// The running program is asked to end, and the setup and the uninstaller
// wait for its process. One that does not end in time (here a window that
// ignores the request, as the program does while it asks about a failed
// save) stops them with a message, before anything is changed.
TEST_F(SetupE2E, ARunningProgramThatDoesNotEndStopsTheSetup) {
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 1, "&File");
    HWND running = CreateWindowExA(0, "#32770", "Jotwell", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                   NULL, menu, GetModuleHandleA(NULL), NULL);
    ASSERT_NE(running, (HWND)NULL);
    const char kStillRunning[] =
        "Jotwell is still running and could not be closed.\n\nClose Jotwell, then try again.";

    Process setup;
    ASSERT_TRUE(setup.Start("\"" + SetupFile() + "\""));
    HWND box = WaitForWindow("Install Error", 60000, setup.Id());
    ASSERT_NE(box, (HWND)NULL);
    EXPECT_EQ(testkit::ControlText(box, 0xFFFF), kStillRunning);
    Answer(box, IDOK);
    EXPECT_EQ(setup.Wait(20000), 0);
    EXPECT_FALSE(FileExists(InFolder("PhoneBook"))) << "the setup went on";

    testkit::TempDir dir;
    std::string uninstaller = dir.File("uninst.exe");
    ASSERT_TRUE(testkit::WriteFileText(
        uninstaller, EntryBytes(testkit::ReadFileText(SetupFile()), 0) + "\x0F\x0F\xF0\xF0"));
    Process uninstall;
    ASSERT_TRUE(uninstall.Start("\"" + uninstaller + "\""));
    box = WaitForWindow("Uninstall Jotwell", 60000, uninstall.Id());
    ASSERT_NE(box, (HWND)NULL);
    EXPECT_EQ(testkit::ControlText(box, 0xFFFF), kStillRunning);
    Answer(box, IDOK);
    EXPECT_EQ(uninstall.Wait(20000), 0);
    EXPECT_TRUE(IsWindow(running));
    DestroyWindow(running);
}

}  // namespace

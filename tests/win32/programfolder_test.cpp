// The program folder, the default book folders, the start at logon and the
// folder rights, against the real registry and file system.
#include <gtest/gtest.h>

#include <aclapi.h>
#include <sddl.h>

#include "app/settings.h"
#include "installer/foldersecurity.h"
#include "installer/installdialog.h"
#include "installer/registry.h"
#include "tests/win32/testkit.h"

namespace {

const char kCurrentVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char kRun[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// Points "ProgramFilesDir" somewhere else for one test and restores it.
class ProgramFilesDir {
public:
    ProgramFilesDir() {
        hadValue_ = ReadRegistryString(HKEY_LOCAL_MACHINE, kCurrentVersion, "ProgramFilesDir",
                                       saved_, "");
    }
    ~ProgramFilesDir() {
        if (hadValue_)
            WriteRegistryString(HKEY_LOCAL_MACHINE, kCurrentVersion, "ProgramFilesDir", saved_);
    }
    void Set(const std::string& folder) {
        WriteRegistryString(HKEY_LOCAL_MACHINE, kCurrentVersion, "ProgramFilesDir",
                            folder.c_str());
    }
    void Remove() { DeleteRegistryValue(HKEY_LOCAL_MACHINE, kCurrentVersion, "ProgramFilesDir"); }

private:
    char saved_[MAX_PATH];
    bool hadValue_;
};

class ProgramFolder : public testing::Test {
protected:
    void SetUp() override { testkit::ResetSettings(); }
    void TearDown() override { testkit::ResetSettings(); }
    testkit::TempDir dir;
    ProgramFilesDir programFiles;
};

TEST_F(ProgramFolder, LiesUnderTheMakersFolderInProgramFiles) {
    programFiles.Set(dir.path());
    char out[LFILE_PATH];
    InstallDialog::GetInstallProgramFilesPath(out);
    EXPECT_EQ(std::string(out), dir.path() + "\\Korvane\\Jotwell");
    EXPECT_TRUE(testkit::FileExists(out));
}

TEST_F(ProgramFolder, FallsBackToCProgramFiles) {
    programFiles.Remove();
    char out[LFILE_PATH];
    InstallDialog::GetInstallProgramFilesPath(out);
    EXPECT_STREQ(out, "C:\\Program Files\\Korvane\\Jotwell");
}

TEST_F(ProgramFolder, DataFolderOfABookWithoutFoldersValue) {
    programFiles.Set(dir.path());
    char out[LFILE_PATH];
    InstallDialog::GetDataFolder("PhoneBook", out);
    EXPECT_EQ(std::string(out), dir.path() + "\\Korvane\\Jotwell\\PhoneBook");
    EXPECT_TRUE(testkit::FileExists(dir.path() + "\\Korvane\\Jotwell"));
    EXPECT_FALSE(testkit::FileExists(out)) << "the book folder is not created here";
    InstallDialog::GetDataFolder(NULL, out);
    EXPECT_EQ(std::string(out), dir.path() + "\\Korvane\\Jotwell");
}

TEST_F(ProgramFolder, DataFolderFromTheFoldersValues) {
    SettingsSetString("Folders", "PhoneBook", "D:\\Shared\\Phones");
    SettingsSetString("Folders", "DataFiles", "D:\\Data");
    char out[LFILE_PATH];
    InstallDialog::GetDataFolder("PhoneBook", out);
    EXPECT_STREQ(out, "D:\\Shared\\Phones");
    InstallDialog::GetDataFolder(NULL, out);
    EXPECT_STREQ(out, "D:\\Data");
}

TEST_F(ProgramFolder, JobCreatesAndRecordsTheBookFolders) {
    programFiles.Set(dir.path());
    struct Job : InstallDialog {
        Job() : InstallDialog("t") {}
        int MainFunction() override { return 0; }
    } job;
    std::string folder = dir.path() + "\\Korvane\\Jotwell";
    job.RecordProgramFolder();
    char value[SETTINGS_VALUE];
    SettingsGetString("Folders", "ProgramFiles", "", value);
    EXPECT_EQ(std::string(value), folder);
    SettingsGetString("Folders", "DataFiles", "", value);
    EXPECT_EQ(std::string(value), folder);
    EXPECT_TRUE(job.CreateBookFolders());
    for (const char* name : {"PhoneBook", "Diary", "Useful Web Links", "Other Notes"}) {
        EXPECT_TRUE(testkit::FileExists(folder + "\\" + name)) << name;
        SettingsGetString("Folders", name, "", value);
        EXPECT_EQ(std::string(value), folder + "\\" + name);
    }
}

TEST_F(ProgramFolder, LogonValueIsTheQuotedPathAndTheSwitch) {
    InstallDialog::SetRunOnLogon("C:\\Program Files\\Korvane\\Jotwell\\jotwell.exe");
    EXPECT_EQ(testkit::RegString(HKEY_LOCAL_MACHINE, kRun, "JotwellRun"),
              "\"C:\\Program Files\\Korvane\\Jotwell\\jotwell.exe\" /logon");
    InstallDialog::DeleteRunOnLogon();
    EXPECT_FALSE(testkit::RegValueExists(HKEY_LOCAL_MACHINE, kRun, "JotwellRun"));
    InstallDialog::DeleteRunOnLogon();  // absent: harmless
}

TEST_F(ProgramFolder, RegistryStringsReadTheDefaultWhenMissing) {
    char out[LFILE_PATH];
    EXPECT_FALSE(ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Nothing", "X", out,
                                    "default"));
    EXPECT_STREQ(out, "default");
    WriteRegistryString(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Jotwell\\Test", "X", "value");
    EXPECT_TRUE(ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Jotwell\\Test", "X",
                                   out, "default"));
    EXPECT_STREQ(out, "value");
}

// An ACL's entries: principal, mask and inheritance flags.
struct Ace {
    std::string sid;
    DWORD mask;
    BYTE flags;
};

std::vector<Ace> AclEntries(PACL acl) {
    std::vector<Ace> aces;
    for (DWORD i = 0; acl && i < acl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = NULL;
        if (!GetAce(acl, i, (void**)&ace) || ace->Header.AceType != ACCESS_ALLOWED_ACE_TYPE)
            continue;
        LPSTR text = NULL;
        ConvertSidToStringSidA((PSID)&ace->SidStart, &text);
        aces.push_back(Ace{text ? text : "", ace->Mask, ace->Header.AceFlags});
        LocalFree(text);
    }
    return aces;
}

std::vector<Ace> BuiltAcl(FolderAclKind kind) {
    static DWORD buffer[FOLDER_ACL_BYTES / sizeof(DWORD)];
    if (!BuildFolderAcl(kind, buffer, sizeof buffer))
        return std::vector<Ace>();
    return AclEntries((PACL)buffer);
}

// The DACL the system keeps for a path, empty where it keeps none of its
// own (Wine derives a DACL from the Unix permission bits instead).
std::vector<Ace> StoredDacl(const std::string& path, bool* isProtected) {
    PACL dacl = NULL;
    PSECURITY_DESCRIPTOR sd = NULL;
    if (GetNamedSecurityInfoA((LPSTR)path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                              NULL, NULL, &dacl, NULL, &sd) != ERROR_SUCCESS)
        return std::vector<Ace>();
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(sd, &control, &revision);
    *isProtected = (control & SE_DACL_PROTECTED) != 0;
    std::vector<Ace> aces = AclEntries(dacl);
    LocalFree(sd);
    bool hasAdministrators = false;
    for (const Ace& a : aces)
        hasAdministrators = hasAdministrators || a.sid == "S-1-5-32-544";
    return hasAdministrators ? aces : std::vector<Ace>();
}

const BYTE kInherit = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;

const Ace* FindAce(const std::vector<Ace>& aces, const char* sid, BYTE flags) {
    for (const Ace& a : aces)
        if (a.sid == sid && (a.flags & (kInherit | INHERIT_ONLY_ACE)) == flags)
            return &a;
    return NULL;
}

void ExpectProgramFolderAcl(const std::vector<Ace>& aces) {
    const Ace* own = FindAce(aces, "S-1-1-0", 0);
    ASSERT_NE(own, nullptr);
    EXPECT_TRUE(own->mask & FILE_ADD_SUBDIRECTORY);
    EXPECT_TRUE(own->mask & FILE_TRAVERSE);
    EXPECT_TRUE(own->mask & FILE_LIST_DIRECTORY);
    EXPECT_FALSE(own->mask & FILE_DELETE_CHILD) << "everyone could delete the program";
    EXPECT_FALSE(own->mask & FILE_ADD_FILE);
    EXPECT_FALSE(own->mask & (WRITE_DAC | WRITE_OWNER | DELETE));
    const Ace* below = FindAce(aces, "S-1-1-0", kInherit | INHERIT_ONLY_ACE);
    ASSERT_NE(below, nullptr);
    EXPECT_EQ(below->mask & FILE_ALL_ACCESS, (DWORD)FILE_ALL_ACCESS);
    EXPECT_NE(FindAce(aces, "S-1-5-32-544", kInherit), nullptr);
    EXPECT_NE(FindAce(aces, "S-1-5-18", kInherit), nullptr);
    EXPECT_EQ(aces.size(), 4u);
}

TEST(FolderAcl, ProgramFolderLetsEveryoneAddBooksButNotReplaceTheProgram) {
    ExpectProgramFolderAcl(BuiltAcl(ACL_PROGRAM_FOLDER));
}

TEST(FolderAcl, ProgramFileIsReadAndExecuteOnlyForEveryone) {
    std::vector<Ace> aces = BuiltAcl(ACL_PROGRAM_FILE);
    const Ace* everyone = FindAce(aces, "S-1-1-0", 0);
    ASSERT_NE(everyone, nullptr);
    EXPECT_TRUE(everyone->mask & FILE_EXECUTE);
    EXPECT_TRUE(everyone->mask & FILE_READ_DATA);
    EXPECT_FALSE(everyone->mask & (FILE_WRITE_DATA | FILE_APPEND_DATA | DELETE | WRITE_DAC));
    EXPECT_NE(FindAce(aces, "S-1-5-32-544", 0), nullptr);
}

TEST(FolderAcl, SharedBookFolderGivesEveryoneFullAccessToItsNotes) {
    std::vector<Ace> aces = BuiltAcl(ACL_SHARED_BOOK_FOLDER);
    const Ace* everyone = FindAce(aces, "S-1-1-0", kInherit);
    ASSERT_NE(everyone, nullptr);
    EXPECT_EQ(everyone->mask & FILE_ALL_ACCESS, (DWORD)FILE_ALL_ACCESS);
}

TEST_F(ProgramFolder, CreatedFolderCarriesItsAcl) {
    std::string folder = dir.File("Jotwell");
    ASSERT_TRUE(CreateProgramFolder(folder.c_str()));
    bool isProtected = false;
    std::vector<Ace> aces = StoredDacl(folder, &isProtected);
    if (aces.empty())
        GTEST_SKIP() << "this system keeps no DACL of its own for folders";
    ExpectProgramFolderAcl(aces);
}

TEST_F(ProgramFolder, ProtectedProgramFileCarriesItsAcl) {
    std::string file = dir.File("jotwell.exe");
    testkit::WriteFileText(file, "MZ");
    ASSERT_TRUE(ProtectProgramFile(file.c_str()));
    bool isProtected = false;
    std::vector<Ace> aces = StoredDacl(file, &isProtected);
    if (aces.empty())
        GTEST_SKIP() << "this system keeps no DACL of its own for files";
    EXPECT_TRUE(isProtected);
    const Ace* everyone = FindAce(aces, "S-1-1-0", 0);
    ASSERT_NE(everyone, nullptr);
    EXPECT_FALSE(everyone->mask & (FILE_WRITE_DATA | DELETE | WRITE_DAC));
}

TEST(FolderAcl, NewFilesAndFoldersGetTheirProtectedDaclFromTheStart) {
    ProtectedSecurity file(ACL_PROGRAM_FILE);
    SECURITY_ATTRIBUTES* sa = file.Attributes();
    ASSERT_NE(sa, nullptr);
    EXPECT_FALSE(sa->bInheritHandle);
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ASSERT_TRUE(GetSecurityDescriptorControl(sa->lpSecurityDescriptor, &control, &revision));
    EXPECT_TRUE(control & SE_DACL_PROTECTED) << "the folder's Everyone entry must not apply";
    BOOL present = FALSE, defaulted = TRUE;
    PACL dacl = NULL;
    ASSERT_TRUE(GetSecurityDescriptorDacl(sa->lpSecurityDescriptor, &present, &dacl, &defaulted));
    EXPECT_TRUE(present && !defaulted);
    std::vector<Ace> aces = AclEntries(dacl);
    const Ace* everyone = FindAce(aces, "S-1-1-0", 0);
    ASSERT_NE(everyone, nullptr);
    EXPECT_FALSE(everyone->mask & (FILE_WRITE_DATA | FILE_APPEND_DATA | DELETE | WRITE_DAC));

    // The uninstaller's private folder: this user alone.
    HANDLE token = NULL;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    DWORD user[64], size = 0;
    ASSERT_TRUE(GetTokenInformation(token, TokenUser, user, sizeof user, &size));
    CloseHandle(token);
    LPSTR me = NULL;
    ConvertSidToStringSidA(((TOKEN_USER*)user)->User.Sid, &me);
    std::vector<Ace> own = BuiltAcl(ACL_PRIVATE_FOLDER);
    ASSERT_EQ(own.size(), 1u);
    EXPECT_EQ(own[0].sid, me);
    EXPECT_EQ(own[0].flags & kInherit, kInherit);
    LocalFree(me);
}

TEST_F(ProgramFolder, AnExistingFolderGetsTheProgramFolderAcl) {
    std::string folder = dir.File("Jotwell");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
    ASSERT_TRUE(CreateProgramFolder(folder.c_str()));
    bool isProtected = false;
    std::vector<Ace> aces = StoredDacl(folder, &isProtected);
    if (aces.empty())
        GTEST_SKIP() << "this system keeps no DACL of its own for folders";
    ExpectProgramFolderAcl(aces);
}

}  // namespace

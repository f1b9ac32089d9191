// The install job: licence wizard, book folders, extraction of the payload
// from the program's own file with its checksum, then the shell entries.
#include "installer/installdialog.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "app/settings.h"
#include "installer/foldersecurity.h"
#include "installer/licencewizard.h"
#include "installer/setupextract.h"
#include "util/lfolder.h"

namespace {

const char kInstallError[] = "Install Error";
const char* const kBookFolders[] = {"PhoneBook", "Diary", "Useful Web Links", "Other Notes"};
const int kBookCount = sizeof kBookFolders / sizeof kBookFolders[0];

// The running setup file.
class FileSource : public SetupSource {
public:
    explicit FileSource(HANDLE file) : hFile(file) {}

    bool ReadTail(unsigned char* bytes, int length) override {
        DWORD got = 0;
        return SetFilePointer(hFile, -length, NULL, FILE_END) != INVALID_SET_FILE_POINTER &&
               ReadFile(hFile, bytes, (DWORD)length, &got, NULL) && got == (DWORD)length;
    }
    void Rewind() override { SetFilePointer(hFile, 0, NULL, FILE_BEGIN); }
    uint32_t Read(unsigned char* buffer, uint32_t want) override {
        DWORD got = 0;
        return ReadFile(hFile, buffer, want, &got, NULL) ? got : 0;
    }

private:
    HANDLE hFile;
};

// The installed files. The book folders stay held while they are written
// to, so that nobody can swap one for a link to a folder elsewhere; the
// program's own files are created with their protected rights.
class JobTarget : public SetupTarget {
public:
    JobTarget(InstallDialog* job)
        : pJob(job), hOut(INVALID_HANDLE_VALUE), security(ACL_PROGRAM_FILE) {
        szTarget[0] = '\0';
        for (int i = 0; i < kBookCount; ++i) {
            char folder[LFILE_PATH];
            lstrcpynA(folder, job->szProgramFolder, LFILE_PATH);
            LFile::FilePathCat(folder, kBookFolders[i]);
            aHolds[i].Hold(folder);
        }
    }
    ~JobTarget() { Close(); }

    bool Create(int, const SetupFileEntry& entry) override {
        pJob->SetText(entry.fileName, 1);
        SetupTargetPath(pJob->szProgramFolder, entry, szTarget);
        SECURITY_ATTRIBUTES* sa = NULL;
        if (SetupKeyIsProgramFolder(entry.folderKey)) {
            sa = security.Attributes();
            if (!sa)
                return false;
        } else if (!IsHeld(entry.folderKey)) {
            return false;
        }
        // A new file, so that it gets these rights and so that a link left
        // at the name is replaced rather than written through.
        if (LFile::Exists(szTarget) && !DeleteFileA(szTarget))
            return false;
        hOut = CreateFileA(szTarget, GENERIC_WRITE, 0, sa, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
        return hOut != INVALID_HANDLE_VALUE;
    }

    bool Write(const unsigned char* data, uint32_t length) override {
        DWORD written = 0;
        return WriteFile(hOut, data, length, &written, NULL) && written == length;
    }

    bool Close() override {
        if (hOut == INVALID_HANDLE_VALUE)
            return true;
        bool ok = FlushFileBuffers(hOut) != FALSE;
        ok = CloseHandle(hOut) && ok;
        hOut = INVALID_HANDLE_VALUE;
        return ok;
    }

    bool Cancelled(uint32_t copied, uint32_t total) override {
        if (total)
            pJob->SetProgress((double)copied / (double)total);
        return pJob->PumpMessages();
    }

    // The file being written when extraction stopped.
    const char* Target() const { return szTarget; }

private:
    bool IsHeld(const char* book) const {
        for (int i = 0; i < kBookCount; ++i)
            if (!strcmp(book, kBookFolders[i]))
                return aHolds[i].IsHeld();
        return false;
    }

    InstallDialog* pJob;
    HANDLE hOut;
    ProtectedSecurity security;
    LFolderHold aHolds[kBookCount];
    char szTarget[LFILE_PATH];
};

// What the setup wrote into the book folders, so that the uninstaller can
// tell the sample notes the user never changed from the user's own.
void RecordSampleFiles(const SetupWritten& written) {
    for (int i = 0; i < SetupEntryCount(); ++i) {
        const SetupFileEntry& entry = SETUP_FILES[i];
        if (SetupKeyIsProgramFolder(entry.folderKey))
            continue;
        char name[LFILE_PATH], text[SETUP_FINGERPRINT_TEXT];
        snprintf(name, sizeof name, "%s\\%s", entry.folderKey, entry.fileName);
        if (written.size[i] > 0) {
            SetupFingerprintText(written.size[i], written.fingerprint[i], text);
            SettingsSetString(INSTALLED_FILES_SECTION, name, text);
        } else {
            SettingsDeleteValue(INSTALLED_FILES_SECTION, name);
        }
    }
}

}  // namespace

const char* const INSTALLED_FILES_SECTION = "Installed";

void InstallDialog::ShowSetupCorrupt(HWND owner) {
    MessageBoxA(owner,
                "Installation file corrupt.\n\nA checksum error was detected in your install "
                "file, please redownload file and install again.",
                kInstallError, MB_ICONEXCLAMATION | MB_OK);
}

int InstallDialog::MainFunction() {
    SetText("Installing Jotwell", 0);
    SetText("Software Licence Terms", 1);
    if (!LFile::Exists(szProgramFolder)) {
        MessageBoxA(NULL,
                    "To install software you must be logged on as this computer's "
                    "Administrator. If you are not able to do this, ask your computer "
                    "Administrator to log in and run the setup file again.",
                    kInstallError, MB_ICONERROR | MB_OK);
        return false;
    }

    bDeclined = true;
    RunLicenceWizard(hwnd, &bDeclined);
    if (bDeclined)
        return false;

    CreateBookFolders();

    char program[LFILE_PATH] = "";
    GetModuleFileNameA(NULL, program, LFILE_PATH);
    HANDLE source = CreateFileA(program, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (source == INVALID_HANDLE_VALUE)
        return false;
    FileSource input(source);
    SetupWritten written;
    char failed[LFILE_PATH] = "";
    SetupResult result;
    {
        JobTarget output(this);
        result = SetupExtract(&input, &output, SETUP_FILES, SetupEntryCount(), &written);
        lstrcpynA(failed, output.Target(), LFILE_PATH);
    }
    CloseHandle(source);
    if (result == SETUP_CANCELLED || PumpMessages())
        return false;

    if (result == SETUP_WRITE_FAILED) {
        char text[LFILE_PATH + 200];
        snprintf(text, sizeof text,
                 "Jotwell could not be installed: this file could not be written in full.\n\n"
                 "%s\n\nCheck that the disk has enough free space, then run the setup file "
                 "again.",
                 failed);
        MessageBoxA(hwnd, text, kInstallError, MB_ICONERROR | MB_OK);
        return false;
    }
    if (result == SETUP_CORRUPT) {
        ShowSetupCorrupt(hwnd);
        return false;
    }
    RecordSampleFiles(written);
    SetText("Finalizing", 1);
    Finalize();
    return true;
}

void InstallDialog::WriteFileTrailer(const char* path, unsigned long value) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    unsigned char bytes[4];
    WriteLE32(bytes, (uint32_t)value);
    DWORD written = 0;
    SetFilePointer(file, 0, NULL, FILE_END);
    WriteFile(file, bytes, 4, &written, NULL);
    CloseHandle(file);
}

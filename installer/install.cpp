// The install job: licence wizard, book folders, extraction of the payload
// from the program's own file with its checksum, then the shell entries.
#include "installer/installdialog.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "installer/defaultbooks.h"
#include "installer/foldersecurity.h"
#include "installer/licencewizard.h"
#include "installer/samplenotes.h"
#include "installer/setupextract.h"
#include "util/lfolder.h"
#include "util/lowned.h"
#include "util/lwide.h"

namespace {

const char kInstallError[] = "Install Error";

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

// Shows the progress of both passes; true once the user has cancelled.
bool ReportProgress(InstallDialog* job, uint64_t done, uint64_t total) {
    if (total)
        job->SetProgress((double)done / (double)total);
    return job->PumpMessages();
}

class JobProgress : public SetupProgress {
public:
    explicit JobProgress(InstallDialog* job) : pJob(job) {}
    bool Cancelled(uint64_t done, uint64_t total) override {
        return ReportProgress(pJob, done, total);
    }

private:
    InstallDialog* pJob;
};

// The installed files. The book folders stay held while they are written
// to, and their files are made relative to the held folders, so that nobody
// can swap one for a link to a folder elsewhere; the program's own files are
// created with their protected rights. A sample note the user changed is
// kept: its bytes are read past and dropped.
class JobTarget : public SetupTarget {
public:
    JobTarget(InstallDialog* job)
        : pJob(job), hOut(INVALID_HANDLE_VALUE), bDropping(false), security(ACL_PROGRAM_FILE) {
        szTarget[0] = '\0';
        memset(abKept, 0, sizeof abKept);
        for (int i = 0; i < DEFAULT_BOOK_COUNT; ++i) {
            char folder[LFILE_PATH];
            lstrcpynA(folder, job->szProgramFolder, LFILE_PATH);
            LFile::FilePathCat(folder, DEFAULT_BOOKS[i].name);
            aHolds[i].Hold(folder);
        }
    }
    ~JobTarget() { Close(); }

    bool Create(int index, const SetupFileEntry& entry) override {
        pJob->SetText(entry.fileName, 1);
        SetupTargetPath(pJob->szProgramFolder, entry, szTarget);
        if (SetupKeyIsProgramFolder(entry.folderKey)) {
            SECURITY_ATTRIBUTES* sa = security.Attributes();
            if (!sa)
                return false;
            // A new file, so that it gets these rights and so that a link
            // left at the name is replaced rather than written through.
            if (LFile::Exists(szTarget) && !DeleteFileU(szTarget))
                return false;
            hOut = CreateFileU(szTarget, GENERIC_WRITE, 0, sa, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                               NULL);
            return hOut != INVALID_HANDLE_VALUE;
        }
        LFolderHold* book = Held(entry.folderKey);
        if (!book)
            return false;
        SampleState state = RemoveUnchangedSample(book, entry);
        if (state == SAMPLE_BLOCKED)
            return false;
        if (state == SAMPLE_KEPT) {
            abKept[index] = true;
            bDropping = true;
            return true;
        }
        hOut = book->CreateFileIn(entry.fileName, GENERIC_WRITE, NULL);
        return hOut != INVALID_HANDLE_VALUE;
    }

    bool Write(const unsigned char* data, uint32_t length) override {
        if (bDropping)
            return true;
        DWORD written = 0;
        return WriteFile(hOut, data, length, &written, NULL) && written == length;
    }

    bool Close() override {
        bDropping = false;
        if (hOut == INVALID_HANDLE_VALUE)
            return true;
        bool ok = FlushFileBuffers(hOut) != FALSE;
        ok = CloseHandle(hOut) && ok;
        hOut = INVALID_HANDLE_VALUE;
        return ok;
    }

    bool Cancelled(uint64_t done, uint64_t total) override {
        return ReportProgress(pJob, done, total);
    }

    // The file being written when extraction stopped.
    const char* Target() const { return szTarget; }
    // Which entries kept the user's file.
    const bool* Kept() const { return abKept; }

private:
    LFolderHold* Held(const char* book) {
        for (int i = 0; i < DEFAULT_BOOK_COUNT; ++i)
            if (!strcmp(book, DEFAULT_BOOKS[i].name))
                return aHolds[i].IsHeld() ? &aHolds[i] : NULL;
        return NULL;
    }

    InstallDialog* pJob;
    HANDLE hOut;
    bool bDropping;
    ProtectedSecurity security;
    LFolderHold aHolds[DEFAULT_BOOK_COUNT];
    bool abKept[SETUP_MAX_ENTRIES];
    char szTarget[LFILE_PATH];
};

}  // namespace

void InstallDialog::ShowSetupCorrupt(HWND owner) {
    MessageBoxU(owner,
                "Installation file corrupt.\n\nA checksum error was detected in your install "
                "file, please redownload file and install again.",
                kInstallError, MB_ICONEXCLAMATION | MB_OK);
}

int InstallDialog::MainFunction() {
    SetText("Installing Jotwell", 0);
    SetText("Software Licence Terms", 1);
    if (!LFile::Exists(szProgramFolder)) {
        MessageBoxU(NULL,
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

    // Shared for reading only, so the file checked is the file copied.
    char program[LFILE_PATH] = "";
    GetModuleFileNameU(NULL, program, LFILE_PATH);
    LHandle source(CreateFileU(program, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, NULL));
    if (!source.IsOpen())
        return false;
    FileSource input(source.Get());

    // The whole payload is checked before anything is created, deleted or
    // replaced: a bad download must not break an installed program.
    SetText("Checking the setup file", 1);
    JobProgress progress(this);
    SetupResult checked = SetupCheck(&input, &progress, SetupEntryCount());
    if (checked == SETUP_CANCELLED || PumpMessages())
        return false;
    if (checked == SETUP_CORRUPT) {
        RemoveMadeProgramFolder();
        ShowSetupCorrupt(hwnd);
        return false;
    }

    RecordProgramFolder();
    CreateBookFolders();
    SetupWritten written;
    bool kept[SETUP_MAX_ENTRIES];
    char failed[LFILE_PATH] = "";
    SetupResult result;
    {
        JobTarget output(this);
        result = SetupExtract(&input, &output, SETUP_FILES, SetupEntryCount(), &written);
        lstrcpynA(failed, output.Target(), LFILE_PATH);
        memcpy(kept, output.Kept(), sizeof kept);
    }
    source.Close();
    if (result == SETUP_CANCELLED || PumpMessages())
        return false;

    if (result == SETUP_WRITE_FAILED) {
        char text[LFILE_PATH + 200];
        snprintf(text, sizeof text,
                 "Jotwell could not be installed: this file could not be written in full.\n\n"
                 "%s\n\nCheck that the disk has enough free space, then run the setup file "
                 "again.",
                 failed);
        MessageBoxU(hwnd, text, kInstallError, MB_ICONERROR | MB_OK);
        return false;
    }
    if (result == SETUP_CORRUPT) {
        ShowSetupCorrupt(hwnd);
        return false;
    }
    RecordSampleNotes(written, kept);
    SetText("Finalizing", 1);
    Finalize();
    return true;
}

void InstallDialog::WriteFileTrailer(const char* path, unsigned long value) {
    LHandle file(CreateFileU(path, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                             NULL));
    if (!file.IsOpen())
        return;
    unsigned char bytes[4];
    WriteLE32(bytes, (uint32_t)value);
    DWORD written = 0;
    SetFilePointer(file.Get(), 0, NULL, FILE_END);
    WriteFile(file.Get(), bytes, 4, &written, NULL);
}

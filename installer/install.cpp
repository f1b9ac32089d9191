// The install job: licence wizard, book folders, extraction of the payload
// from the program's own file with its checksum, then the shell entries.
#include "installer/installdialog.h"

#include <windows.h>

#include "installer/licencewizard.h"
#include "installer/setuplayout.h"

namespace {

const char kInstallError[] = "Install Error";

// The size block and the stored checksum at the end of the program file.
// Unreadable, the sizes are 0 and the checksum cannot come out right.
void ReadTail(HANDLE file, int count, SetupTail* tail) {
    ZeroMemory(tail, sizeof *tail);
    tail->checksum = SETUP_CHECKSUM_UNREAD;
    unsigned char bytes[4 * (SETUP_MAX_ENTRIES + 2)];
    int length = SetupTailLength(count);
    DWORD got = 0;
    if (SetFilePointer(file, -length, NULL, FILE_END) == INVALID_SET_FILE_POINTER ||
        !ReadFile(file, bytes, (DWORD)length, &got, NULL) || got != (DWORD)length ||
        !SetupParseTail(bytes, got, count, tail)) {
        tail->count = count;
    }
    SetFilePointer(file, 0, NULL, FILE_BEGIN);
}

// The copy of every payload entry out of the open setup file, with the
// checksum run over each byte copied.
class Extraction {
public:
    Extraction(InstallDialog* job, HANDLE source, const SetupTail* tail)
        : pJob(job), hSource(source), pTail(tail), dwChecksum(tail->checksum), dwCopied(0),
          dwTotal(SetupTotalSize(tail->sizes, tail->count)) {}

    // Copies every entry; false when the user cancelled.
    bool CopyAll() {
        for (int i = 0; i < pTail->count; ++i) {
            if (pTail->sizes[i] <= 0)
                continue;
            CopyEntry(SETUP_FILES[i], pTail->sizes[i]);
            if (pJob->PumpMessages())
                return false;
        }
        return true;
    }

    bool ChecksumMatches() const { return dwChecksum == 0; }

private:
    // A target that cannot be created is skipped silently; its bytes still
    // count in the checksum.
    void CopyEntry(const SetupFileEntry& entry, int32_t size) {
        pJob->SetText(entry.fileName, 1);
        char target[LFILE_PATH];
        SetupTargetPath(pJob->szProgramFolder, entry, target);
        HANDLE out = CreateFileA(target, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
        int64_t remaining = size;
        bool cancelled = false;
        while (!cancelled && remaining > 0) {
            DWORD want = remaining < SETUP_CHUNK ? (DWORD)remaining : (DWORD)SETUP_CHUNK;
            DWORD got = 0;
            ReadFile(hSource, abBuffer, want, &got, NULL);
            if (got > 0)
                Consume(out, got);
            // A short read still counts a whole chunk, so a truncated file
            // cannot keep the loop going.
            remaining -= SETUP_CHUNK;
            cancelled = pJob->PumpMessages();
        }
        if (out != INVALID_HANDLE_VALUE)
            CloseHandle(out);
    }

    void Consume(HANDLE out, DWORD got) {
        dwChecksum = SetupChecksumSubtract(dwChecksum, abBuffer, got);
        DWORD written = 0;
        if (out != INVALID_HANDLE_VALUE)
            WriteFile(out, abBuffer, got, &written, NULL);
        dwCopied += got;
        if (dwTotal)
            pJob->SetProgress((double)dwCopied / (double)dwTotal);
    }

    InstallDialog* pJob;
    HANDLE hSource;
    const SetupTail* pTail;
    uint32_t dwChecksum;
    uint32_t dwCopied;
    uint32_t dwTotal;
    unsigned char abBuffer[SETUP_CHUNK];
};

}  // namespace

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
    SetupTail tail;
    ReadTail(source, SetupEntryCount(), &tail);
    Extraction extraction(this, source, &tail);
    bool finished = extraction.CopyAll();
    CloseHandle(source);
    if (!finished || PumpMessages())
        return false;

    if (!extraction.ChecksumMatches()) {
        MessageBoxA(hwnd,
                    "Installation file corrupt.\n\nA checksum error was detected in your "
                    "install file, please redownload file and install again.",
                    kInstallError, MB_ICONEXCLAMATION | MB_OK);
        return false;
    }
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

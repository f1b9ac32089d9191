// The record of the sample notes, and the check against it that the setup
// and the uninstaller share.
#include "installer/samplenotes.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "app/settingkeys.h"
#include "installer/installdialog.h"
#include "util/lowned.h"

namespace {

// The settings value of an entry: "book\name".
void RecordName(const SetupFileEntry& entry, char* out) {
    snprintf(out, LFILE_PATH, "%s\\%s", entry.folderKey, entry.fileName);
}

// True when the open file is a plain file with the recorded size and
// fingerprint.
bool MatchesRecord(HANDLE file, const char* recorded) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!recorded[0] || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    uint64_t fingerprint = SETUP_FINGERPRINT_START;
    int64_t size = 0;
    unsigned char buffer[SETUP_CHUNK];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, NULL) && got > 0) {
        fingerprint = SetupFingerprintAdd(fingerprint, buffer, got);
        size += got;
    }
    char text[SETUP_FINGERPRINT_TEXT];
    SetupFingerprintText(size, fingerprint, text);
    return strcmp(text, recorded) == 0;
}

}  // namespace

SampleState RemoveUnchangedSample(LFolderHold* book, const SetupFileEntry& entry) {
    char name[LFILE_PATH], recorded[SETTINGS_VALUE];
    RecordName(entry, name);
    GetInstalledRecord(name, recorded);
    // Shared for reading only, so that nobody changes it between the check
    // and the deletion.
    LHandle file(book->OpenFileIn(entry.fileName, GENERIC_READ | DELETE));
    if (!file.IsOpen())
        return GetLastError() == ERROR_FILE_NOT_FOUND ? SAMPLE_MISSING : SAMPLE_BLOCKED;
    if (!MatchesRecord(file.Get(), recorded))
        return SAMPLE_KEPT;
    return LFolderHold::DeleteOpenFile(file.Get()) ? SAMPLE_REMOVED : SAMPLE_BLOCKED;
}

void RecordSampleNotes(const SetupWritten& written, const bool* kept) {
    for (int i = 0; i < SetupEntryCount(); ++i) {
        const SetupFileEntry& entry = SETUP_FILES[i];
        if (SetupKeyIsProgramFolder(entry.folderKey) || kept[i])
            continue;
        char name[LFILE_PATH], text[SETUP_FINGERPRINT_TEXT];
        RecordName(entry, name);
        if (written.size[i] > 0) {
            SetupFingerprintText(written.size[i], written.fingerprint[i], text);
            SetInstalledRecord(name, text);
        } else {
            DeleteInstalledRecord(name);
        }
    }
}

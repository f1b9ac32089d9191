// Setup-file layout, checksum, target paths and the run-mode choice.
// Window-free: also compiled natively.
#include "installer/setuplayout.h"

#include <stdio.h>
#include <string.h>

#include "installer/defaultbooks.h"
#include "util/lfile.h"

const SetupFileEntry SETUP_FILES[] = {
    {0, "jotwell.exe"},
    {0, "jotwell.hlp"},
    {DEFAULT_BOOK_PHONEBOOK, "template._txt"},
    {DEFAULT_BOOK_PHONEBOOK, "Korvane.txt"},
    {DEFAULT_BOOK_WEB_LINKS, "Software Links.txt"},
    {0, 0},
};

int SetupEntryCount(const SetupFileEntry* table) {
    int n = 0;
    while (n < SETUP_MAX_ENTRIES && table[n].fileName)
        ++n;
    return n;
}

uint32_t ReadLE32(const unsigned char* p) {
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

void WriteLE32(unsigned char* p, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        p[i] = (unsigned char)(value >> (8 * i));
}

int SetupTailLength(int count) {
    return 4 * (count + 2);
}

int64_t SetupSizeBlockOffset(int64_t fileSize, int count) {
    return fileSize - SetupTailLength(count);
}

bool SetupParseTail(const unsigned char* tail, size_t length, int count, SetupTail* out) {
    if (count < 1 || count > SETUP_MAX_ENTRIES || length < (size_t)SetupTailLength(count))
        return false;
    const unsigned char* p = tail + length - SetupTailLength(count);
    out->count = count;
    for (int i = 0; i < count; ++i, p += 4)
        out->sizes[i] = (int32_t)ReadLE32(p);
    out->checksum = ReadLE32(p);
    out->trailer = ReadLE32(p + 4);
    return true;
}

uint32_t SetupChecksumAdd(uint32_t sum, const unsigned char* data, size_t length) {
    for (size_t i = 0; i < length; ++i)
        sum += data[i];
    return sum;
}

uint32_t SetupChecksumSubtract(uint32_t sum, const unsigned char* data, size_t length) {
    for (size_t i = 0; i < length; ++i)
        sum -= data[i];
    return sum;
}

uint32_t SetupTotalSize(const int32_t* sizes, int count) {
    uint32_t total = 0;
    for (int i = 0; i < count; ++i)
        total += (uint32_t)sizes[i];
    return total;
}

int64_t SetupEntryOffset(const int32_t* sizes, int index) {
    int64_t offset = 0;
    for (int i = 0; i < index; ++i)
        if (sizes[i] > 0)
            offset += sizes[i];
    return offset;
}

bool SetupChecksumMatches(const unsigned char* file, size_t length, int count) {
    SetupTail tail;
    if (!SetupParseTail(file, length, count, &tail))
        return false;
    int64_t data = SetupEntryOffset(tail.sizes, count);
    size_t read = data < (int64_t)length ? (size_t)data : length;
    return SetupChecksumSubtract(tail.checksum, file, read) == 0;
}

bool SetupKeyIsProgramFolder(const char* folderKey) {
    return !folderKey || !strcmp(folderKey, "ProgramFiles") || !strcmp(folderKey, "DataFiles");
}

void SetupTargetPath(const char* programFolder, const SetupFileEntry& entry, char* out) {
    if (SetupKeyIsProgramFolder(entry.folderKey)) {
        snprintf(out, LFILE_PATH, "%s", programFolder);
        LFile::FilePathCat(out, entry.fileName);
    } else {
        snprintf(out, LFILE_PATH, "%s\\%s\\%s", programFolder, entry.folderKey, entry.fileName);
    }
}

bool SetupTitleNamesSetup(const char* fileTitle) {
    static const char kWord[] = "SETUP";
    for (const char* p = fileTitle; *p; ++p) {
        int k = 0;
        while (kWord[k] && p[k]) {
            char c = p[k];
            if (c >= 'a' && c <= 'z')
                c = (char)(c - 'a' + 'A');
            if (c != kWord[k])
                break;
            ++k;
        }
        if (!kWord[k])
            return true;
    }
    return false;
}

bool SetupIsCorruptName(uint32_t trailer, const char* fileTitle) {
    return trailer != SETUP_TRAILER_INSTALL && SetupTitleNamesSetup(fileTitle);
}

RunMode ChooseRunMode(uint32_t trailer, const char* fileTitle) {
    if (SetupIsCorruptName(trailer, fileTitle))
        return RUN_CORRUPT_SETUP;
    if (trailer == SETUP_TRAILER_INSTALL)
        return RUN_INSTALL;
    if (trailer == SETUP_TRAILER_UNINSTALL)
        return RUN_UNINSTALL;
    return RUN_NOTES;
}

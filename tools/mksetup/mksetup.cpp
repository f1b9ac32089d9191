// Setup-file writer and checker of the host tool jw_mksetup.
#include "tools/mksetup/mksetup.h"

#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>

#include "installer/setuplayout.h"

ReadResult ReadWholeFile(const char* path, Bytes* out) {
    out->clear();
    FILE* f = fopen(path, "rb");
    if (!f)
        return errno == ENOENT ? READ_MISSING : READ_FAILED;
    unsigned char buf[SETUP_CHUNK];
    size_t got;
    while ((got = fread(buf, 1, sizeof buf, f)) > 0)
        out->insert(out->end(), buf, buf + got);
    bool failed = ferror(f) != 0;
    fclose(f);
    return failed ? READ_FAILED : READ_OK;
}

bool BuildSetupImage(const Bytes* entries, int count, Bytes* image, char* message,
                     size_t messageSize) {
    image->clear();
    Bytes tail((size_t)SetupTailLength(count));
    uint32_t checksum = 0;
    for (int i = 0; i < count; ++i) {
        if (entries[i].size() > (size_t)INT32_MAX) {
            snprintf(message, messageSize, "%s is too large for a setup file",
                     SETUP_FILES[i].fileName);
            return false;
        }
        image->insert(image->end(), entries[i].begin(), entries[i].end());
        checksum = SetupChecksumAdd(checksum, entries[i].data(), entries[i].size());
        WriteLE32(&tail[4 * (size_t)i], (uint32_t)entries[i].size());
    }
    WriteLE32(&tail[4 * (size_t)count], checksum);
    WriteLE32(&tail[4 * (size_t)count + 4], SETUP_TRAILER_INSTALL);
    image->insert(image->end(), tail.begin(), tail.end());
    return true;
}

bool CheckSetupImage(const Bytes& image, const Bytes* entries, int count, char* message,
                     size_t messageSize) {
    SetupTail tail;
    if (!SetupParseTail(image.data(), image.size(), count, &tail)) {
        snprintf(message, messageSize, "the file is too short for its size block");
        return false;
    }
    if (tail.trailer != SETUP_TRAILER_INSTALL) {
        snprintf(message, messageSize, "the trailer is 0x%08X, not the install trailer",
                 (unsigned)tail.trailer);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (tail.sizes[i] < 0 || (size_t)tail.sizes[i] != entries[i].size()) {
            snprintf(message, messageSize, "the size of %s reads %d, not %zu",
                     SETUP_FILES[i].fileName, (int)tail.sizes[i], entries[i].size());
            return false;
        }
    }
    int64_t dataEnd = SetupEntryOffset(tail.sizes, count);
    int64_t blockStart = SetupSizeBlockOffset((int64_t)image.size(), count);
    if (dataEnd != blockStart) {
        snprintf(message, messageSize, "the data ends at %lld, the size block begins at %lld",
                 (long long)dataEnd, (long long)blockStart);
        return false;
    }
    uint32_t checksum = 0;
    for (int i = 0; i < count; ++i) {
        size_t offset = (size_t)SetupEntryOffset(tail.sizes, i);
        if (!entries[i].empty() && memcmp(&image[offset], entries[i].data(), entries[i].size())) {
            snprintf(message, messageSize, "the bytes of %s differ from its file",
                     SETUP_FILES[i].fileName);
            return false;
        }
        checksum = SetupChecksumAdd(checksum, entries[i].data(), entries[i].size());
    }
    if (tail.checksum != checksum || !SetupChecksumMatches(image.data(), image.size(), count)) {
        snprintf(message, messageSize, "the checksum reads 0x%08X, the data sums to 0x%08X",
                 (unsigned)tail.checksum, (unsigned)checksum);
        return false;
    }
    return true;
}

namespace {

bool ReadInputs(const char* const* inputs, int count, Bytes* entries, char* message,
                size_t messageSize) {
    for (int i = 0; i < count; ++i) {
        const char* path = inputs[i];
        bool optional = i > 0;
        if (optional && !strcmp(path, "-"))
            continue;
        ReadResult r = ReadWholeFile(path, &entries[i]);
        if (r == READ_OK || (r == READ_MISSING && optional))
            continue;
        snprintf(message, messageSize, "cannot read %s: %s", path, strerror(errno));
        return false;
    }
    if (entries[0].empty()) {
        snprintf(message, messageSize, "the program image %s is empty", inputs[0]);
        return false;
    }
    // A program that already ends in an installer trailer is a setup file or
    // an uninstaller, not the image to install.
    const Bytes& program = entries[0];
    uint32_t last = program.size() >= 4 ? ReadLE32(&program[program.size() - 4]) : 0;
    if (last == SETUP_TRAILER_INSTALL || last == SETUP_TRAILER_UNINSTALL) {
        snprintf(message, messageSize, "%s already ends in an installer trailer", inputs[0]);
        return false;
    }
    return true;
}

bool WriteWholeFile(const char* path, const Bytes& bytes) {
    FILE* f = fopen(path, "wb");
    if (!f)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

// True if both paths name one existing file.
bool SameFile(const char* a, const char* b) {
    struct stat sa, sb;
    return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// The table entry whose file name the path ends in, or -1: catches inputs
// given out of table order.
int EntryNamedBy(const char* path, int count) {
    const char* name = strrchr(path, '/');
    name = name ? name + 1 : path;
    for (int i = 0; i < count; ++i)
        if (!strcasecmp(name, SETUP_FILES[i].fileName))
            return i;
    return -1;
}

bool CheckArguments(const char* outPath, const char* const* inputs, int count, char* message,
                    size_t messageSize) {
    if (count != SetupEntryCount()) {
        snprintf(message, messageSize, "%d input files given, the setup file holds %d", count,
                 SetupEntryCount());
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (SameFile(outPath, inputs[i])) {
            snprintf(message, messageSize, "the output %s is also an input", outPath);
            return false;
        }
        int named = EntryNamedBy(inputs[i], count);
        if (named >= 0 && named != i) {
            snprintf(message, messageSize, "%s is given in the place of %s", inputs[i],
                     SETUP_FILES[i].fileName);
            return false;
        }
    }
    return true;
}

bool WriteAndCheck(const char* outPath, const Bytes& image, const Bytes* entries, int count,
                   char* message, size_t messageSize) {
    if (!WriteWholeFile(outPath, image)) {
        snprintf(message, messageSize, "cannot write %s: %s", outPath, strerror(errno));
        return false;
    }
    Bytes written;
    if (ReadWholeFile(outPath, &written) != READ_OK) {
        snprintf(message, messageSize, "cannot read back %s", outPath);
        return false;
    }
    return CheckSetupImage(written, entries, count, message, messageSize);
}

}  // namespace

bool MakeSetupFile(const char* outPath, const char* const* inputs, int count, char* message,
                   size_t messageSize) {
    if (!CheckArguments(outPath, inputs, count, message, messageSize))
        return false;
    std::vector<Bytes> entries((size_t)count);
    Bytes image;
    if (!ReadInputs(inputs, count, entries.data(), message, messageSize) ||
        !BuildSetupImage(entries.data(), count, &image, message, messageSize))
        return false;
    if (WriteAndCheck(outPath, image, entries.data(), count, message, messageSize))
        return true;
    // No setup file at all rather than a broken one.
    remove(outPath);
    return false;
}

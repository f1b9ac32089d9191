// Arbitrary file tails through the size-block parser, the checksum and the
// run-mode rules, and whole damaged setup files through the extraction the
// install job runs: no crash, no read outside the buffer, consistent results.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "installer/setupextract.h"
#include "installer/setuplayout.h"
#include "util/lfile.h"

namespace {

void Require(bool ok) {
    if (!ok)
        abort();
}

void CheckTail(const unsigned char* data, size_t size, int count) {
    // A copy of exactly the input, so that ASan sees any read past its end.
    std::vector<unsigned char> buf(data, data + size);
    SetupTail tail;
    bool parsed = SetupParseTail(buf.data(), buf.size(), count, &tail);
    bool fits = count >= 1 && count <= SETUP_MAX_ENTRIES && size >= (size_t)SetupTailLength(count);
    Require(parsed == fits);
    if (!parsed)
        return;
    const unsigned char* end = buf.data() + buf.size();
    Require(tail.trailer == ReadLE32(end - 4));
    Require(tail.checksum == ReadLE32(end - 8));
    Require((uint32_t)tail.sizes[count - 1] == ReadLE32(end - 12));

    // Negative and huge sizes: offsets never shrink and never wrap.
    int64_t last = 0;
    for (int i = 0; i <= count; ++i) {
        int64_t at = SetupEntryOffset(tail.sizes, i);
        Require(at >= last && at <= (int64_t)i * INT32_MAX);
        last = at;
    }
    uint32_t total = SetupTotalSize(tail.sizes, count);
    uint32_t again = 0;
    for (int i = 0; i < count; ++i)
        again += (uint32_t)tail.sizes[i];
    Require(total == again);
    SetupChecksumMatches(buf.data(), buf.size(), count);
}

void CheckChecksum(const unsigned char* data, size_t size, uint32_t start) {
    uint32_t sum = SetupChecksumAdd(start, data, size);
    Require(SetupChecksumSubtract(sum, data, size) == start);
    size_t half = size / 2;
    uint32_t chunked = SetupChecksumAdd(SetupChecksumAdd(start, data, half), data + half, size - half);
    Require(chunked == sum);
    Require(SetupChecksumSubtract(SetupChecksumAdd(0, data, size), data, size) == 0);
}

void CheckNames(const unsigned char* data, size_t size, uint32_t trailer) {
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    const char* title = text.data();
    RunMode mode = ChooseRunMode(trailer, title);
    Require((mode == RUN_CORRUPT_SETUP) == SetupIsCorruptName(trailer, title));
    if (trailer == SETUP_TRAILER_INSTALL)
        Require(mode == RUN_INSTALL);

    // Program folder, key and name from the same text, cut at zeros.
    const char* key = title + strlen(title) / 3;
    const char* name = title + strlen(title) / 2;
    SetupFileEntry entry = {(trailer & 1) ? key : 0, name};
    char out[LFILE_PATH + 16];
    memset(out, 'x', sizeof out);
    SetupTargetPath(title, entry, out);
    Require(memchr(out, '\0', LFILE_PATH) != 0);
}

// The setup file exactly as given (no room to read past its end).
class FuzzSource : public SetupSource {
public:
    FuzzSource(const unsigned char* data, size_t size) : bytes(data, data + size), at(0) {}
    bool ReadTail(unsigned char* out, int length) override {
        if (length < 0 || (size_t)length > bytes.size())
            return false;
        memcpy(out, bytes.data() + bytes.size() - length, (size_t)length);
        return true;
    }
    void Rewind() override { at = 0; }
    uint32_t Read(unsigned char* out, uint32_t want) override {
        size_t n = bytes.size() - at < want ? bytes.size() - at : want;
        memcpy(out, bytes.data() + at, n);
        at += n;
        return (uint32_t)n;
    }
    std::vector<unsigned char> bytes;
    size_t at;
};

// Counts what each entry receives; fails the write of one entry on request.
class FuzzTarget : public SetupTarget {
public:
    explicit FuzzTarget(int failing) : failAt(failing), current(-1), open(false) {
        memset(received, 0, sizeof received);
    }
    bool Create(int index, const SetupFileEntry&) override {
        Require(!open && index > current && index < SETUP_MAX_ENTRIES);
        current = index;
        open = true;
        return true;
    }
    bool Write(const unsigned char*, uint32_t length) override {
        Require(open && length > 0 && length <= (uint32_t)SETUP_CHUNK);
        received[current] += length;
        return current != failAt;
    }
    bool Close() override {
        Require(open);
        open = false;
        return true;
    }
    bool Cancelled(uint64_t done, uint64_t total) override {
        Require(done <= total);
        return false;
    }
    int failAt, current;
    bool open;
    int64_t received[SETUP_MAX_ENTRIES];
};

void CheckExtraction(const unsigned char* data, size_t size, int failAt) {
    static const SetupFileEntry table[] = {{0, "a"}, {0, "b"}, {"K", "c"}, {"K", "d"}, {0, 0}};
    const int count = 4;
    FuzzSource source(data, size);
    FuzzTarget target(failAt);
    SetupWritten written;
    SetupResult checked = SetupCheck(&source, &target, count);
    Require(target.current == -1);
    SetupResult result = SetupExtract(&source, &target, table, count, &written);
    Require(!target.open);
    // The check and the copy read the same bytes: a damaged file is found
    // by the check, before anything is written.
    if (checked == SETUP_INTACT)
        Require(result == SETUP_EXTRACTED || result == SETUP_WRITE_FAILED);
    if (result == SETUP_EXTRACTED)
        Require(checked == SETUP_INTACT);
    SetupTail tail;
    bool parsed = SetupParseTail(data, size, count, &tail);
    if (result == SETUP_EXTRACTED) {
        // Only a file that holds every byte its sizes promise, with the
        // right checksum, installs; each file then got exactly its size.
        Require(parsed && SetupChecksumMatches(data, size, count));
        Require(SetupEntryOffset(tail.sizes, count) <= (int64_t)size);
        for (int i = 0; i < count; ++i) {
            int64_t want = tail.sizes[i] > 0 ? tail.sizes[i] : 0;
            Require(target.received[i] == want && written.size[i] == want);
        }
    }
    if (result == SETUP_WRITE_FAILED)
        Require(target.received[failAt] > 0);
    Require(result != SETUP_CANCELLED);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5)
        return 0;
    int count = (int)(int8_t)data[0];
    uint32_t start = ReadLE32(data + 1);
    CheckTail(data + 5, size - 5, count);
    CheckTail(data + 5, size - 5, SetupEntryCount());
    CheckChecksum(data + 5, size - 5, start);
    CheckNames(data + 5, size - 5, start);
    CheckExtraction(data + 5, size - 5, (int)(start % 5));
    return 0;
}

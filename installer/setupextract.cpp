// The extraction loop of the install job. Window-free: also compiled
// natively, where the fuzzer feeds it damaged setup files.
#include "installer/setupextract.h"

#include <stdio.h>
#include <string.h>

namespace {

// The size block and the stored checksum. Unreadable, the sizes are 0 and
// the checksum cannot come out right.
void ReadSizes(SetupSource* source, int count, SetupTail* tail) {
    memset(tail, 0, sizeof *tail);
    tail->checksum = SETUP_CHECKSUM_UNREAD;
    unsigned char bytes[4 * (SETUP_MAX_ENTRIES + 2)];
    int length = SetupTailLength(count);
    if (count < 1 || count > SETUP_MAX_ENTRIES || !source->ReadTail(bytes, length) ||
        !SetupParseTail(bytes, (size_t)length, count, tail)) {
        memset(tail, 0, sizeof *tail);
        tail->checksum = SETUP_CHECKSUM_UNREAD;
        tail->count = count >= 1 && count <= SETUP_MAX_ENTRIES ? count : 0;
    }
}

class Extraction {
public:
    Extraction(SetupSource* source, SetupTarget* target, const SetupTail* tail,
               SetupWritten* written)
        : pSource(source), pTarget(target), pTail(tail), pWritten(written),
          dwChecksum(tail->checksum), dwCopied(0),
          dwTotal(SetupTotalSize(tail->sizes, tail->count)) {}

    SetupResult CopyAll(const SetupFileEntry* table) {
        for (int i = 0; i < pTail->count; ++i) {
            if (pTail->sizes[i] <= 0)
                continue;
            SetupResult result = CopyEntry(i, table[i], pTail->sizes[i]);
            if (result != SETUP_EXTRACTED)
                return result;
            if (pTarget->Cancelled(dwCopied, dwTotal))
                return SETUP_CANCELLED;
        }
        return dwChecksum == 0 ? SETUP_EXTRACTED : SETUP_CORRUPT;
    }

private:
    SetupResult CopyEntry(int index, const SetupFileEntry& entry, int32_t size) {
        if (!pTarget->Create(index, entry))
            return SETUP_WRITE_FAILED;
        uint64_t fingerprint = SETUP_FINGERPRINT_START;
        int64_t written = 0;
        int64_t remaining = size;
        while (remaining > 0) {
            uint32_t want = remaining < SETUP_CHUNK ? (uint32_t)remaining : (uint32_t)SETUP_CHUNK;
            uint32_t got = pSource->Read(abBuffer, want);
            if (got > want)
                got = 0;  // a source that claims more than asked is not believed
            if (got > 0) {
                dwChecksum = SetupChecksumSubtract(dwChecksum, abBuffer, got);
                if (!pTarget->Write(abBuffer, got)) {
                    pTarget->Close();
                    return SETUP_WRITE_FAILED;
                }
                fingerprint = SetupFingerprintAdd(fingerprint, abBuffer, got);
                written += got;
                dwCopied += got;
            }
            remaining -= got;
            if (pTarget->Cancelled(dwCopied, dwTotal)) {
                pTarget->Close();
                return SETUP_CANCELLED;
            }
            // The file ends before the sizes say: damaged, whatever the
            // checksum of the bytes that are there.
            if (got < want) {
                pTarget->Close();
                return SETUP_CORRUPT;
            }
        }
        if (!pTarget->Close())
            return SETUP_WRITE_FAILED;
        if (pWritten) {
            pWritten->size[index] = written;
            pWritten->fingerprint[index] = fingerprint;
        }
        return SETUP_EXTRACTED;
    }

    SetupSource* pSource;
    SetupTarget* pTarget;
    const SetupTail* pTail;
    SetupWritten* pWritten;
    uint32_t dwChecksum;
    uint32_t dwCopied;
    uint32_t dwTotal;
    unsigned char abBuffer[SETUP_CHUNK];
};

}  // namespace

SetupResult SetupExtract(SetupSource* source, SetupTarget* target,
                         const SetupFileEntry* table, int count, SetupWritten* written) {
    if (written)
        memset(written, 0, sizeof *written);
    SetupTail tail;
    ReadSizes(source, count, &tail);
    source->Rewind();
    Extraction extraction(source, target, &tail, written);
    return extraction.CopyAll(table);
}

uint64_t SetupFingerprintAdd(uint64_t hash, const unsigned char* data, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        hash ^= data[i];
        hash *= 0x100000001B3ull;
    }
    return hash;
}

void SetupFingerprintText(int64_t size, uint64_t fingerprint, char* out) {
    snprintf(out, SETUP_FINGERPRINT_TEXT, "%lld:%016llx", (long long)size,
             (unsigned long long)fingerprint);
}

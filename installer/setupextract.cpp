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

// The bytes of the positive entries, the length of one pass.
uint64_t PassLength(const SetupTail* tail) {
    uint64_t length = 0;
    for (int i = 0; i < tail->count; ++i)
        if (tail->sizes[i] > 0)
            length += (uint64_t)tail->sizes[i];
    return length;
}

// One pass over the data area: every entry read in chunks, the checksum run
// over them, each chunk handed to the target when there is one.
class Pass {
public:
    Pass(SetupSource* source, SetupProgress* progress, const SetupTail* tail, bool second)
        : pSource(source), pProgress(progress), pTail(tail), dwChecksum(tail->checksum),
          qwTotal(2 * PassLength(tail)), qwDone(second ? PassLength(tail) : 0) {}

    // Reads each entry, copying it to target (null for the check).
    SetupResult Run(const SetupFileEntry* table, SetupTarget* target, SetupWritten* written) {
        for (int i = 0; i < pTail->count; ++i) {
            if (pTail->sizes[i] <= 0)
                continue;
            SetupResult result = target ? CopyEntry(i, table[i], target, written)
                                        : Stream(pTail->sizes[i], NULL, NULL);
            if (result != SETUP_INTACT)
                return result;
            if (pProgress->Cancelled(qwDone, qwTotal))
                return SETUP_CANCELLED;
        }
        if (dwChecksum != 0)
            return SETUP_CORRUPT;
        return target ? SETUP_EXTRACTED : SETUP_INTACT;
    }

private:
    SetupResult CopyEntry(int index, const SetupFileEntry& entry, SetupTarget* target,
                          SetupWritten* written) {
        if (!target->Create(index, entry))
            return SETUP_WRITE_FAILED;
        uint64_t fingerprint = SETUP_FINGERPRINT_START;
        SetupResult result = Stream(pTail->sizes[index], target, &fingerprint);
        if (result != SETUP_INTACT) {
            target->Close();
            return result;
        }
        if (!target->Close())
            return SETUP_WRITE_FAILED;
        if (written) {
            written->size[index] = pTail->sizes[index];
            written->fingerprint[index] = fingerprint;
        }
        return SETUP_INTACT;
    }

    // Reads size bytes of the current entry.
    SetupResult Stream(int32_t size, SetupTarget* target, uint64_t* fingerprint) {
        int64_t remaining = size;
        while (remaining > 0) {
            uint32_t want = remaining < SETUP_CHUNK ? (uint32_t)remaining : (uint32_t)SETUP_CHUNK;
            uint32_t got = pSource->Read(abBuffer, want);
            if (got > want)
                got = 0;  // a source that claims more than asked is not believed
            if (got > 0) {
                dwChecksum = SetupChecksumSubtract(dwChecksum, abBuffer, got);
                if (target && !target->Write(abBuffer, got))
                    return SETUP_WRITE_FAILED;
                if (fingerprint)
                    *fingerprint = SetupFingerprintAdd(*fingerprint, abBuffer, got);
                qwDone += got;
            }
            remaining -= got;
            if (pProgress->Cancelled(qwDone, qwTotal))
                return SETUP_CANCELLED;
            // The file ends before the sizes say: damaged, whatever the
            // checksum of the bytes that are there.
            if (got < want)
                return SETUP_CORRUPT;
        }
        return SETUP_INTACT;
    }

    SetupSource* pSource;
    SetupProgress* pProgress;
    const SetupTail* pTail;
    uint32_t dwChecksum;
    uint64_t qwTotal;
    uint64_t qwDone;
    unsigned char abBuffer[SETUP_CHUNK];
};

}  // namespace

SetupResult SetupCheck(SetupSource* source, SetupProgress* progress, int count) {
    SetupTail tail;
    ReadSizes(source, count, &tail);
    source->Rewind();
    Pass pass(source, progress, &tail, false);
    return pass.Run(NULL, NULL, NULL);
}

SetupResult SetupExtract(SetupSource* source, SetupTarget* target,
                         const SetupFileEntry* table, int count, SetupWritten* written) {
    if (written)
        memset(written, 0, sizeof *written);
    SetupTail tail;
    ReadSizes(source, count, &tail);
    source->Rewind();
    Pass pass(source, target, &tail, true);
    return pass.Run(table, target, written);
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

// The install job's extraction, window-free: reads the size block and the
// checksum from the end of a setup file, checks the whole payload in one
// pass, then copies every entry in chunks in a second, and fails at the
// first write that does not land in full. A damaged file is found before
// anything is written. The job gives it the file and the targets through
// small interfaces; the fuzzer gives it damaged files in memory.
#ifndef JOTWELL_INSTALLER_SETUPEXTRACT_H
#define JOTWELL_INSTALLER_SETUPEXTRACT_H

#include <stdint.h>

#include "installer/setuplayout.h"

// The setup file being read.
class SetupSource {
public:
    // The last length bytes of the file; false when they cannot be read.
    virtual bool ReadTail(unsigned char* bytes, int length) = 0;
    // Moves to the start of the file, for the copy.
    virtual void Rewind() = 0;
    // Reads on from the current position; the number of bytes read, 0 at
    // the end of the file or on a failure.
    virtual uint32_t Read(unsigned char* buffer, uint32_t want) = 0;

protected:
    ~SetupSource() {}
};

// The job's progress and Cancel, over both passes: the check reports the
// first half of total, the copy the second.
class SetupProgress {
public:
    // Called after every chunk and every file: shows the progress, and
    // answers true once the user has cancelled.
    virtual bool Cancelled(uint64_t done, uint64_t total) = 0;

protected:
    ~SetupProgress() {}
};

// Where the entries go.
class SetupTarget : public SetupProgress {
public:
    // Creates the file of entry index; false when it cannot be made.
    virtual bool Create(int index, const SetupFileEntry& entry) = 0;
    // False unless all length bytes were written.
    virtual bool Write(const unsigned char* data, uint32_t length) = 0;
    // Closes the file; false when its bytes may not all have been stored.
    virtual bool Close() = 0;

protected:
    ~SetupTarget() {}
};

enum SetupResult {
    SETUP_INTACT,        // checked: every entry whole, checksum right
    SETUP_EXTRACTED,     // every entry copied, checksum right
    SETUP_CANCELLED,     // the user cancelled; the last file may be cut
    SETUP_WRITE_FAILED,  // a target could not be made or written in full
    SETUP_CORRUPT,       // the checksum is wrong, or the file ends before
                         // the sizes say; the last file may be cut
};

// What extraction wrote for each entry: byte count and fingerprint, so that
// the uninstaller can tell an installed sample file the user never changed.
struct SetupWritten {
    int64_t size[SETUP_MAX_ENTRIES];
    uint64_t fingerprint[SETUP_MAX_ENTRIES];
};

// Reads every entry of a setup file with count entries and checks the
// sizes and the checksum; writes nothing. SETUP_INTACT, SETUP_CORRUPT or
// SETUP_CANCELLED.
SetupResult SetupCheck(SetupSource* source, SetupProgress* progress, int count);

// Copies the entries of table (count of them) from source to target, after
// SetupCheck: the progress goes on from half way. It checks the checksum
// again, but a damaged file found only here has been written. written may
// be null.
SetupResult SetupExtract(SetupSource* source, SetupTarget* target,
                         const SetupFileEntry* table, int count, SetupWritten* written);

// A 64-bit FNV-1a hash, run chunk by chunk; start from SETUP_FINGERPRINT_START.
const uint64_t SETUP_FINGERPRINT_START = 0xCBF29CE484222325ull;
uint64_t SetupFingerprintAdd(uint64_t hash, const unsigned char* data, size_t length);

// A file's size and fingerprint as text ("size:hex"), as the settings keep
// them; out holds at least SETUP_FINGERPRINT_TEXT bytes.
const int SETUP_FINGERPRINT_TEXT = 40;
void SetupFingerprintText(int64_t size, uint64_t fingerprint, char* out);

#endif

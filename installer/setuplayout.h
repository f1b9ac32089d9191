// The setup-file layout shared by the program (install, uninstall, notes
// mode) and the host tool that writes setup files. Window-free.
//
// A setup file is, all numbers little-endian:
//   entry data        the program image (entry 0), then entries 1 .. n-1 back
//                     to back; an entry of size 0 or less occupies no bytes
//   sizes             n signed 32-bit byte counts, in table order
//   checksum          unsigned 32-bit sum of every data byte, modulo 2^32
//   trailer           0x0F0FF0F0
// The installed program carries the trailer 0, its uninstaller copy
// 0xF0F00F0F; the last four bytes of a program file choose its run mode.
#ifndef JOTWELL_INSTALLER_SETUPLAYOUT_H
#define JOTWELL_INSTALLER_SETUPLAYOUT_H

#include <stddef.h>
#include <stdint.h>

const uint32_t SETUP_TRAILER_INSTALL = 0x0F0FF0F0u;
const uint32_t SETUP_TRAILER_UNINSTALL = 0xF0F00F0Fu;
const uint32_t SETUP_TRAILER_PROGRAM = 0;

// The size block is read into a fixed array of this many sizes.
const int SETUP_MAX_ENTRIES = 128;

// Extraction copies through one buffer of this size.
const int SETUP_CHUNK = 4096;

// What the checksum accumulator holds before the stored value is read, so
// that a failed read fails the check.
const uint32_t SETUP_CHECKSUM_UNREAD = 0xFFFFFFFFu;

// One file to install: the folder key (null for none) and the file name.
struct SetupFileEntry {
    const char* folderKey;
    const char* fileName;
};

// The files every setup file carries, in the order of their data and sizes;
// ends with an entry whose file name is null.
extern const SetupFileEntry SETUP_FILES[];

// Number of entries before the one without a name, at most SETUP_MAX_ENTRIES.
int SetupEntryCount(const SetupFileEntry* table = SETUP_FILES);

uint32_t ReadLE32(const unsigned char* p);
void WriteLE32(unsigned char* p, uint32_t value);

// Bytes of sizes, checksum and trailer at the end of a file: 4 * (count + 2).
int SetupTailLength(int count);

// Offset of the size block in a file of fileSize bytes; negative when the
// file is too short to hold it.
int64_t SetupSizeBlockOffset(int64_t fileSize, int count);

// The size block, checksum and trailer of a setup file.
struct SetupTail {
    int count;
    int32_t sizes[SETUP_MAX_ENTRIES];
    uint32_t checksum;
    uint32_t trailer;
};

// Parses the last SetupTailLength(count) bytes of tail, which holds the last
// length bytes of a file. False when count is not 1 .. SETUP_MAX_ENTRIES or
// the bytes are too few.
bool SetupParseTail(const unsigned char* tail, size_t length, int count, SetupTail* out);

// The checksum accumulator, run per chunk: adding builds the stored value,
// subtracting from the stored value gives 0 for intact data.
uint32_t SetupChecksumAdd(uint32_t sum, const unsigned char* data, size_t length);
uint32_t SetupChecksumSubtract(uint32_t sum, const unsigned char* data, size_t length);

// Sum of all sizes, negative ones included, modulo 2^32: the denominator of
// the extraction progress.
uint32_t SetupTotalSize(const int32_t* sizes, int count);

// Offset of entry index's data: the sum of the positive sizes before it.
// SetupEntryOffset(sizes, count) is the length of the whole data area.
int64_t SetupEntryOffset(const int32_t* sizes, int index);

// The installer's check over a whole setup file in memory: subtracts the
// bytes extraction reads (the data area, as far as the file reaches) from
// the stored checksum. True if the result is 0.
bool SetupChecksumMatches(const unsigned char* file, size_t length, int count);

// True for the folder keys that mean the program folder itself: none,
// "ProgramFiles" and "DataFiles" (exact case).
bool SetupKeyIsProgramFolder(const char* folderKey);

// Where an entry is installed: programFolder joined with the file name, or
// "programFolder\key\name" for any other key, cut to 259 characters.
void SetupTargetPath(const char* programFolder, const SetupFileEntry& entry, char* out);

// True if the file title, upper-cased, contains "SETUP".
bool SetupTitleNamesSetup(const char* fileTitle);

// A file named like a setup file must carry the install trailer; otherwise
// its tail was cut or changed in transfer.
bool SetupIsCorruptName(uint32_t trailer, const char* fileTitle);

enum RunMode { RUN_NOTES, RUN_INSTALL, RUN_UNINSTALL, RUN_CORRUPT_SETUP };

// The run mode of a program file from its trailer and file title.
RunMode ChooseRunMode(uint32_t trailer, const char* fileTitle);

#endif

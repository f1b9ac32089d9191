// Writing and checking setup files: the program image followed by the files
// of the install table, their sizes, the checksum and the install trailer.
#ifndef JOTWELL_TOOLS_MKSETUP_MKSETUP_H
#define JOTWELL_TOOLS_MKSETUP_MKSETUP_H

#include <stddef.h>

#include <vector>

typedef std::vector<unsigned char> Bytes;

// Whole-file read. A missing file is told apart from one that cannot be read.
enum ReadResult { READ_OK, READ_MISSING, READ_FAILED };
ReadResult ReadWholeFile(const char* path, Bytes* out);

// count is the number of table entries, SetupEntryCount(), here and below.

// The setup file for the given entry contents, in table order. False (and
// why in message) if an entry is too large for a signed 32-bit size.
bool BuildSetupImage(const Bytes* entries, int count, Bytes* image, char* message,
                     size_t messageSize);

// Checks that image is the setup file of the given entries: length, sizes,
// each entry's bytes in place, the checksum both ways, the install trailer.
bool CheckSetupImage(const Bytes& image, const Bytes* entries, int count, char* message,
                     size_t messageSize);

// Builds the setup file at outPath from one input per table entry: inputs[0]
// is the program image and must exist; for the others "-" or a missing file
// gives an empty entry. The written file is read back and checked and
// removed if it is wrong. False and why in message on any failure.
bool MakeSetupFile(const char* outPath, const char* const* inputs, int count, char* message,
                   size_t messageSize);

#endif

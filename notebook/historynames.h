// Where the history store keeps a note's earlier versions and deleted notes,
// below its root folder. Every book has a folder of its own, every note of
// it a folder within, so that two books with a note of the same name never
// mix; the names stay readable for a person looking with Explorer:
//   <book>\Versions\<note>\2026-12-07 10-32-15.txt     a version's bytes
//   <book>\Deleted\2026-12-07 10-32-15 Shopping.txt     a deleted note's bytes
// and beside each, the same name with ".info" (notebook/historyindex.h).
// Window-free.
#ifndef JOTWELL_NOTEBOOK_HISTORYNAMES_H
#define JOTWELL_NOTEBOOK_HISTORYNAMES_H

const char HISTORY_VERSIONS_FOLDER[] = "Versions";
const char HISTORY_DELETED_FOLDER[] = "Deleted";
const char HISTORY_DATA_EXT[] = ".txt";
const char HISTORY_INDEX_EXT[] = ".info";

// A readable name is cut to this many bytes; the key after it tells apart
// names that share their start.
const unsigned HISTORY_NAME_BYTES = 32;

// A key of a folder path or a note name that is the same however the
// system would spell the same file: ASCII letters in either case, "/" for
// "\", separators at the end.
unsigned HistoryKey(const char* text);

// "<last name of the folder> <key of the whole path>", for the book's folder
// in the store (260 bytes). A folder with no name of its own (a drive) is
// called "Book".
void HistoryBookFolderName(const char* bookFolder, char* out);

// "<note name> <key of the name>", for the note's folder of versions.
void HistoryNoteFolderName(const char* noteName, char* out);

// A moment in local time, as a person reads it.
struct HistoryStamp {
    int year, month, day, hour, minute, second;
};

// "2026-12-07 10-32-15", then " 2", " 3"... for attempt 2 and on, then a
// blank and noteName when one is given (deleted notes), cut to
// HISTORY_NAME_BYTES. Into out (260 bytes), without an extension.
void HistoryEntryName(const HistoryStamp& stamp, int attempt, const char* noteName, char* out);

// The moment an entry's name starts with; false when it starts with none.
// Lists are made from the names alone, without opening a file.
bool HistoryStampParse(const char* name, HistoryStamp* stamp);

#endif

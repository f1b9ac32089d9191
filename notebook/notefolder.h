// Listing the notes of a book folder: one enumeration of "*.txt".
#ifndef JOTWELL_NOTEBOOK_NOTEFOLDER_H
#define JOTWELL_NOTEBOOK_NOTEFOLDER_H

#include <windows.h>

#include <string>
#include <vector>

struct NoteListing {
    std::vector<std::string> names;  // file names without ".txt"
    bool complete;                   // the enumeration ran to its end
};

NoteListing ListNoteNames(const char* folder);

// The file of a note: folder, backslash, name and ".txt" (260 bytes). False,
// and the empty path, when that does not fit in 259 characters.
bool NotePath(const char* folder, const char* name, char* path);

// The name of the note item at index (260 bytes) and its file in folder, as
// NotePath.
bool NoteItemPath(HWND list, int index, const char* folder, char* name, char* path);

// Inserts a note item at index; the sorted list puts it in its place.
// Returns the index it landed at.
int InsertNoteItem(HWND list, const char* name, int index);

#endif

// Listing the notes of a book folder: one enumeration of "*.txt".
#ifndef JOTWELL_NOTEBOOK_NOTEFOLDER_H
#define JOTWELL_NOTEBOOK_NOTEFOLDER_H

#include <windows.h>

#include <string>
#include <vector>

#include "notebook/notepath.h"

struct NoteListing {
    std::vector<std::string> names;  // file names without ".txt"
    bool complete;                   // the enumeration ran to its end
};

NoteListing ListNoteNames(const char* folder);


// The name of the note item at index (260 bytes) and its file in folder, as
// NotePath.
bool NoteItemPath(HWND list, int index, const char* folder, char* name, char* path);

// Inserts a note item at index; the sorted list puts it in its place.
// Returns the index it landed at.
int InsertNoteItem(HWND list, const char* name, int index);

#endif

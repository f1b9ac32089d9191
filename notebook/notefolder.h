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

// Inserts a note item at index; the sorted list puts it in its place.
// Returns the index it landed at.
int InsertNoteItem(HWND list, const char* name, int index);

#endif

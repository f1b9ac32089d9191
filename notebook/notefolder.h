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


// Note names are UTF-8, as every text of the program; the list holds them
// in Unicode.

// The text of the note item at index (260 bytes).
void NoteItemText(HWND list, int index, char* name);
void SetNoteItemText(HWND list, int index, const char* name);
// The index of the item of that name, whatever its letter case, or -1.
int FindNoteItemIn(HWND list, const char* name);

// The name of the note item at index (260 bytes) and its file in folder, as
// NotePath.
bool NoteItemPath(HWND list, int index, const char* folder, char* name, char* path);

// Inserts a note item at index; the sorted list puts it in its place.
// Returns the index it landed at.
int InsertNoteItem(HWND list, const char* name, int index);

#endif

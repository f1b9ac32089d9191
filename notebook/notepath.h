// The file of a note: folder, backslash, name and ".txt". Window-free.
#ifndef JOTWELL_NOTEBOOK_NOTEPATH_H
#define JOTWELL_NOTEBOOK_NOTEPATH_H

// Into path (260 bytes). False, and the empty path, when that does not fit
// in 259 characters: a cut path would name a file that is never listed.
bool NotePath(const char* folder, const char* name, char* path);

#endif

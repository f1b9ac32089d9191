// The name a deleted note comes back under when its own is taken again:
// "Name (restored)", "Name (restored 2)" and so on. Window-free.
#ifndef JOTWELL_NOTEBOOK_RESTOREDNAME_H
#define JOTWELL_NOTEBOOK_RESTOREDNAME_H

// Attempt 0 is the name itself, 1 "(restored)", n "(restored n)". The name
// is cut between characters so that folder, backslash, name and ".txt" fit
// in 259 characters; false when the folder leaves no room.
bool RestoredNoteName(const char* folder, const char* name, int attempt, char* out);

#endif

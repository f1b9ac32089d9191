// The name under which another user's version of a note is kept when the
// user's own edit is about to replace it. Window-free.
#ifndef JOTWELL_NOTEBOOK_CONFLICTNAME_H
#define JOTWELL_NOTEBOOK_CONFLICTNAME_H

struct NoteStamp {
    int year, month, day, hour, minute;
};

// "<title> (changed by another user YYYY-MM-DD HH-MM)", and " 2", " 3"...
// before the closing parenthesis for attempt 2 and on. The title is cut so
// that folder, backslash, name and ".txt" fit in 259 characters; false when
// the folder leaves no room.
bool ConflictNoteName(const char* folder, const char* title, const NoteStamp& stamp, int attempt,
                      char* name);

#endif

// A note's file: read together with the write time of exactly the bytes
// read, and saved so that another computer's version is never lost unseen.
// File calls only; the main window asks and shows the answers.
#ifndef JOTWELL_NOTEBOOK_NOTEFILE_H
#define JOTWELL_NOTEBOOK_NOTEFILE_H

#include <stddef.h>

#include "notebook/savingturn.h"
#include "util/ltime.h"

// What a note's file held when it was read.
class NoteFileText {
public:
    NoteFileText() : data(0), size(0), exists(false), time(0) {}
    ~NoteFileText() { delete[] data; }

    char* data;               // new[], two zero bytes after size; null when empty
    size_t size;
    bool exists;              // a missing file reads as empty
    LTime time;               // write time of these bytes, when exists

private:
    NoteFileText(const NoteFileText&) = delete;
    NoteFileText& operator=(const NoteFileText&) = delete;
};

// Reads the whole file through one handle, its time before its content: a
// change made meanwhile is then seen as a change. True when the file was read
// to its end or is missing.
bool ReadNoteFile(const char* path, NoteFileText* out);

// The version of the file that the user's text stands on: the one loaded or
// saved last, or another computer's once it has been kept beside.
struct NoteVersion {
    bool known;
    LTime time;
};

enum NoteSaveResult {
    NOTE_SAVED,
    NOTE_SAVE_FAILED,
    NOTE_TURN_BUSY,     // another save holds the folder's turn: try again shortly
    NOTE_TURN_BLOCKED,  // the turn cannot be had (see SavingTurn::FilePath)
};

// Replaces the note's file with the bytes. A version on disk other than
// *version was written by someone else: it is first copied beside under its
// conflict name, once, and *version then names it, so that a save tried
// again makes no second copy. The name of a copy made goes to keptName (260
// bytes; empty when none). Of two computers saving at once, one finds the
// other's version at its rename and keeps it first. On NOTE_SAVED, *version
// is the saved one, and *previous, when given, the version the save
// replaced (not known when there was no file).
NoteSaveResult SaveNoteFile(const char* path, const void* data, size_t size, NoteVersion* version,
                            SavingTurn& turn, unsigned nowMs, char* keptName,
                            NoteVersion* previous = 0);

#endif

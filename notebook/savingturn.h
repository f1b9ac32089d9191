// The turn that saves of one book folder take, across computers, so that
// one save's check of its target and its rename never interleave with
// another's. The turn is a file, "~jslock.tmp", created exclusively beside
// the notes and deleted when closed. Taking it never waits longer than a
// frame: a turn held by someone else is tried again later.
#ifndef JOTWELL_NOTEBOOK_SAVINGTURN_H
#define JOTWELL_NOTEBOOK_SAVINGTURN_H

#include <windows.h>

#include "notebook/turnwatch.h"
#include "util/lfile.h"

enum TurnResult {
    TURN_TAKEN,
    TURN_BUSY,     // held by another save: try again shortly
    TURN_BLOCKED,  // cannot be had: its file is stuck, or it never came free
};

class SavingTurn {
public:
    SavingTurn();
    ~SavingTurn();

    // Takes the turn of the folder that holds notePath; nowMs is the
    // millisecond tick the watch of a turn file in the way counts by.
    TurnResult Take(const char* notePath, unsigned nowMs);
    void Release();
    // Looks at the turn of notePath's folder ahead of a save: a turn file
    // left there by a computer that stopped is then taken over by the save
    // that comes a few seconds later, without a wait of its own.
    void Notice(const char* notePath, unsigned nowMs);

    // The turn file of the last Take, for telling the user what stands in
    // the way.
    const char* FilePath() const { return szFile; }

    TurnWatch watch;

private:
    SavingTurn(const SavingTurn&) = delete;
    SavingTurn& operator=(const SavingTurn&) = delete;
    bool TryCreate();
    bool SetFile(const char* notePath);  // szFile for the note's folder
    HANDLE hTurn;
    char szFile[LFILE_PATH];
};

#endif

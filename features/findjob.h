// The search through the note files of the current book, from the main
// window's iFindNoteIndex on, run in the progress dialog. The files are
// searched as stored; the editor then finds the place in the loaded note.
#ifndef JOTWELL_FEATURES_FINDJOB_H
#define JOTWELL_FEATURES_FINDJOB_H

#include <string>
#include <vector>

#include "dialogs/lprogressdialog.h"
#include "features/findpattern.h"

class MainDialog;

enum FindJobResult {
    FIND_FOUND = 0,      // iFindNoteIndex is a note holding the text
    FIND_CANCELLED = 1,
    FIND_NONE = 2        // no further note holds it
};

// How often the job lets the window system in: often enough for Cancel to
// answer at once, seldom enough that the pump costs little beside the files.
const unsigned FIND_PUMP_INTERVAL_MS = 30;

class FindJob : public LProgressDialog {
public:
    explicit FindJob(MainDialog& main);
    ~FindJob();

    int MainFunction() override;

private:
    int SearchFrom(int first);
    bool NoteContains(const char* path);

    MainDialog& main;
    std::vector<std::string> names;  // the notes to search, taken when the job starts
    char* pbBuffer;                  // one note's first bytes, reused for every note
    char16_t* pUnits;                // the same decoded, where it must be
    const FindPattern* pFind;           // while the job runs
};

#endif

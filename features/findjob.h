// The search through the note files of the current book, from the main
// window's iFindNoteIndex on, run in the progress dialog. The files are
// searched as stored; the editor then finds the place in the loaded note.
#ifndef JOTWELL_FEATURES_FINDJOB_H
#define JOTWELL_FEATURES_FINDJOB_H

#include "dialogs/lprogressdialog.h"
#include "features/notefind.h"
#include "util/lcodepage.h"

class MainDialog;

enum FindJobResult {
    FIND_FOUND = 0,      // iFindNoteIndex is a note holding the text
    FIND_CANCELLED = 1,
    FIND_NONE = 2        // no further note holds it
};

class FindJob : public LProgressDialog {
public:
    explicit FindJob(MainDialog& main);

    int MainFunction() override;

private:
    bool NoteContains(const char* folder, int index);

    MainDialog& main;
    HWND hwndNotes;  // the note list, for the length of the search
    char szFindUtf8[LCODEPAGE_UTF8_SIZE];  // the find text for UTF-8 notes
    NoteFindText find;
};

#endif

// The Find dialog: what to look for, whether case matters, and whether to
// search the current note only or every note of the book. It edits the
// main window's find state in place.
#ifndef JOTWELL_FEATURES_FINDDIALOG_H
#define JOTWELL_FEATURES_FINDDIALOG_H

#include "dialogs/ldialog.h"

class FindDialog : public LDialog {
public:
    // text holds LFILE_PATH bytes. A note index of -1 means the current note
    // only.
    FindDialog(char* text, bool* pMatchCase, int* pNoteIndex, int* pCharPos);

    void InitDialog() override;
    bool CmOk() override;

private:
    char* szText;
    bool* pbMatchCase;
    int* piNoteIndex;
    int* piCharPos;
};

#endif

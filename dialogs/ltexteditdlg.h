// Asks for one line of text; the caller validates it.
#ifndef JOTWELL_DIALOGS_LTEXTEDITDLG_H
#define JOTWELL_DIALOGS_LTEXTEDITDLG_H

#include "dialogs/ldialog.h"

class LTextEditDlg : public LDialog {
public:
    // text: a 260-byte buffer holding the initial text, receiving the entered
    // one on OK. prompt: the caption and the prompt line.
    LTextEditDlg(char* text, const char* prompt);

    void InitDialog() override;
    bool CmOk() override;

    char* pszText;
    const char* pszPrompt;
};

#endif

// The Print Book dialog: page breaks between notes or not, kept in the
// setting "Settings"/"PrintBookNotePerPage".
#ifndef JOTWELL_FEATURES_BOOKPRINTDIALOG_H
#define JOTWELL_FEATURES_BOOKPRINTDIALOG_H

#include "dialogs/ldialog.h"

#define PRINT_SETTINGS_SECTION "Settings"
#define PRINT_VALUE_NOTE_PER_PAGE "PrintBookNotePerPage"
const bool PRINT_DEFAULT_NOTE_PER_PAGE = true;

class BookPrintDialog : public LDialog {
public:
    void InitDialog() override;
    bool CmOk() override;
};

#endif

// The Print Book dialog: page breaks between notes or not, kept in the
// settings.
#ifndef JOTWELL_FEATURES_BOOKPRINTDIALOG_H
#define JOTWELL_FEATURES_BOOKPRINTDIALOG_H

#include "dialogs/ldialog.h"

class BookPrintDialog : public LDialog {
public:
    void InitDialog() override;
    bool CmOk() override;
};

#endif

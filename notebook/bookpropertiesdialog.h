// A book's read-only flag and the template text of its new notes.
#ifndef JOTWELL_NOTEBOOK_BOOKPROPERTIESDIALOG_H
#define JOTWELL_NOTEBOOK_BOOKPROPERTIESDIALOG_H

#include "dialogs/ldialog.h"
#include "util/lfile.h"

class BookPropertiesDialog : public LDialog {
public:
    explicit BookPropertiesDialog(const char* folder);

    void InitDialog() override;
    bool CmOk() override;
    void CmHelp() override;
    void Command(WORD id, WORD notifyCode) override;

    char szFolder[LFILE_PATH];

private:
    // Position of the folder in the book list counted from 0, or -1 when the
    // folder is not a book (picked with Browse): then only its template is
    // edited and no book's flag is touched.
    int BookPosition();
    void FillFromStore();
};

// The message shown in the template box of a diary book.
extern const char* const DIARY_TEMPLATE_TEXT;

#endif

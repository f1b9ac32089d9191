// A book's read-only flag and the template text of its new notes.
#ifndef JOTWELL_NOTEBOOK_BOOKPROPERTIESDIALOG_H
#define JOTWELL_NOTEBOOK_BOOKPROPERTIESDIALOG_H

#include <string>

#include "dialogs/ldialog.h"
#include "util/lfile.h"
#include "util/textencoding.h"

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
    bool TemplateWritable();
    void ShowTemplateReadOnly();
    bool SaveTemplate(const std::u16string& text);

    // The template file as read: only a whole read of plain text may be
    // edited and written back, and only over the version read.
    bool bTemplateEditable;
    std::u16string strTemplateRead;  // what the box was given, to tell a change
    TextEncoding iTemplateEncoding;
    bool bTemplateExists;
    unsigned long long ullTemplateTime;
    bool bBookWasReadOnly;  // a read-only book's template is written only once that is unticked
};

// The message shown in the template box of a diary book.
extern const char* const DIARY_TEMPLATE_TEXT;

#endif

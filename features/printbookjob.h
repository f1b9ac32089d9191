// Writes every note of the current book into the rich-text document
// "print.rtf" and hands it to the shell for printing. Runs in the progress
// dialog without pumping messages, so it cannot be cancelled.
#ifndef JOTWELL_FEATURES_PRINTBOOKJOB_H
#define JOTWELL_FEATURES_PRINTBOOKJOB_H

#include "dialogs/lprogressdialog.h"

class BookDocument;
class MainDialog;

class PrintBookJob : public LProgressDialog {
public:
    explicit PrintBookJob(MainDialog& main);

    // Always 0.
    int MainFunction() override;

private:
    bool WriteDocumentFile(char* path, bool pageBreaks);
    bool WriteDocument(HANDLE file, bool pageBreaks);
    bool AddNotes(BookDocument& document, const char* folder);

    MainDialog& main;
};

#endif

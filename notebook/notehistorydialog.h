// Note History: the kept versions of the loaded note, newest first, with
// the text of the one selected. Restore hands that text to the editor,
// Copy puts it on the clipboard.
#ifndef JOTWELL_NOTEBOOK_NOTEHISTORYDIALOG_H
#define JOTWELL_NOTEBOOK_NOTEHISTORYDIALOG_H

#include <string>
#include <vector>

#include "notebook/historylist.h"

class NoteHistoryDialog : public HistoryListDialog {
public:
    // canRestore: the editor takes a restored text (the note is not read only).
    NoteHistoryDialog(HistoryStore& history, const char* notePath, bool canRestore);

    void InitDialog() override;
    bool CmOk() override;
    void Command(WORD id, WORD notifyCode) override;
    void UpdateControls() override;

    // On OK: the bytes of the version to restore.
    std::string strRestore;

protected:
    std::string CellText(HistoryEntry& entry, int column) override;
    void SelectionChanged() override { ShowSelected(); }

private:
    void ShowSelected();
    void CopyShown();

    HistoryStore& store;
    char szNotePath[LFILE_PATH];
    bool bCanRestore;
    int iShown;          // the entry whose text the box shows, -1 none
    bool bShownWhole;    // and it shows all of it
    std::string strShown;  // its bytes
};

#endif

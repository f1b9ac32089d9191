// Restore Deleted Notes: the current book's deleted notes, newest first,
// with when each was deleted and its first line. Restore hands the chosen
// ones back to the main window, which puts them back in the book.
#ifndef JOTWELL_NOTEBOOK_RESTOREDELETEDDIALOG_H
#define JOTWELL_NOTEBOOK_RESTOREDELETEDDIALOG_H

#include <vector>

#include "notebook/historylist.h"

class RestoreDeletedDialog : public HistoryListDialog {
public:
    RestoreDeletedDialog(HistoryStore& history, const char* bookFolder);

    void InitDialog() override;
    bool CmOk() override;
    void UpdateControls() override;

    // On OK: the entries to restore, in the list's order.
    std::vector<HistoryEntry> chosen;

protected:
    std::string CellText(HistoryEntry& entry, int column) override;

private:
    HistoryStore& store;
    char szBookFolder[LFILE_PATH];
};

#endif

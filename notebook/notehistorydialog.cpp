#include "notebook/notehistorydialog.h"

#include <commctrl.h>
#include <richedit.h>
#include <string.h>

#include "dialogs/lrichedit.h"
#include "notebook/historylist.h"
#include "util/ltextfile.h"
#include "resources/resource.h"
#include "util/lwide.h"

namespace {
const char kNoVersions[] =
    "No earlier version of this note has been kept yet. Jotwell keeps one when a save replaces "
    "the note's text, at most every five minutes.";
const char kUnreadable[] = "This version cannot be read.";
}  // namespace

NoteHistoryDialog::NoteHistoryDialog(HistoryStore& history, const char* notePath, bool canRestore)
    : HistoryListDialog(IDC_HISTORY_LIST), store(history), bCanRestore(canRestore), iShown(-1), bShownWhole(false) {
    lstrcpynA(szNotePath, notePath, LFILE_PATH);
}

void NoteHistoryDialog::InitDialog() {
    char title[LFILE_PATH];
    LFile::_GetFileTitleFromPath(title, szNotePath);
    std::string info = std::string("Kept versions of \"") + title + "\", newest first:";
    SetDlgItemTextU(hwnd, IDC_HISTORY_INFO, info.c_str());
    const char* const titles[] = {"Time", "Size", "First line", NULL};
    const int percents[] = {30, 16, 50};
    LVInsertColumns(IDC_HISTORY_LIST, titles, percents);
    entries = store.Versions(szNotePath);
    HistoryListFill(List(), entries.size());
    ShowSelected();
}

void NoteHistoryDialog::ShowSelected() {
    int selected = HistoryListSelected(List());
    if (selected == iShown && selected >= 0)
        return;
    iShown = selected;
    bShownWhole = false;
    strShown.clear();
    HWND box = GetDlgItem(hwnd, IDC_HISTORY_TEXT);
    if (selected < 0 || selected >= (int)entries.size()) {
        LRichEdit::SetPlainText(box, entries.empty() ? kNoVersions : "");
        return;
    }
    NoteFileText file;
    if (!store.Read(entries[selected], &file)) {
        LRichEdit::SetPlainText(box, kUnreadable);
        return;
    }
    strShown.assign(file.data ? file.data : "", file.size);
    bShownWhole = LRichEdit::StreamInFileBytes(box, strShown.data(), strShown.size());
}

void NoteHistoryDialog::UpdateControls() {
    EnableControl(IDOK, bCanRestore && bShownWhole);
    EnableControl(IDC_HISTORY_COPY, bShownWhole);
}

bool NoteHistoryDialog::CmOk() {
    if (!bCanRestore || !bShownWhole)
        return false;
    strRestore = strShown;
    return true;
}

void NoteHistoryDialog::Command(WORD id, WORD notifyCode) {
    if (id == IDC_HISTORY_COPY && notifyCode == BN_CLICKED)
        CopyShown();
}

// As Unicode text with CR LF line ends, whatever the note's encoding and
// line ends.
void NoteHistoryDialog::CopyShown() {
    std::u16string text, lines;
    TextEncoding encoding;
    if (!bShownWhole || !TextFileToWide(strShown.data(), strShown.size(), &text, &encoding))
        return;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            lines += u'\r';
        lines += text[i];
    }
    size_t bytes = (lines.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    void* locked = memory ? GlobalLock(memory) : NULL;
    if (!locked) {
        if (memory)
            GlobalFree(memory);
        return;
    }
    memcpy(locked, lines.c_str(), bytes);
    GlobalUnlock(memory);
    // The clipboard owns the memory once it took it; until then, we do.
    bool taken = OpenClipboard(hwnd) && EmptyClipboard() &&
                 SetClipboardData(CF_UNICODETEXT, memory) != NULL;
    CloseClipboard();
    if (!taken)
        GlobalFree(memory);
}

std::string NoteHistoryDialog::CellText(HistoryEntry& entry, int column) {
    if (column == 0)
        return HistoryTimeText(entry.index.kept);
    if (column == 1)
        return HistorySizeText(entry.index.size);
    store.LoadIndex(entry);
    return entry.index.firstLine;
}

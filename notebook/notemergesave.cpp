// A save that finds another computer's version of the note takes that
// computer's changes into the text when they touch other lines: the note
// holds both, and the editor shows it in place of a copy beside the note.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <string>

#include "dialogs/lrichedit.h"
#include "mainwindow/maindialog.h"
#include "notebook/notemerge.h"
#include "util/lwide.h"

namespace {

// The editor's text as its offsets count it (one unit a paragraph end).
std::u16string EditorUnits(HWND editor) {
    GETTEXTLENGTHEX length = {GTL_NUMCHARS | GTL_PRECISE, 1200};
    LRESULT count = SendMessageW(editor, EM_GETTEXTLENGTHEX, (WPARAM)&length, 0);
    std::u16string text((size_t)(count > 0 ? count : 0) + 1, u'\0');
    GETTEXTEX get = {(DWORD)(text.size() * sizeof(char16_t)), GT_DEFAULT, 1200, NULL, NULL};
    LRESULT got = SendMessageW(editor, EM_GETTEXTEX, (WPARAM)&get, (LPARAM)&text[0]);
    text.resize((size_t)(got > 0 ? got : 0));
    return text;
}

// Where a place in the old text lies in the new one: a place before the
// changed part or after it keeps its text around it.
class PlaceMap {
public:
    PlaceMap(const std::u16string& before, const std::u16string& after)
        : lOld((LONG)before.size()), lNew((LONG)after.size()), lHead(0), lTail(0) {
        while (lHead < lOld && lHead < lNew && before[lHead] == after[lHead])
            ++lHead;
        while (lTail < lOld - lHead && lTail < lNew - lHead &&
               before[lOld - 1 - lTail] == after[lNew - 1 - lTail])
            ++lTail;
    }
    LONG Map(LONG place) const {
        if (place <= lHead)
            return place;
        if (place >= lOld - lTail)
            return place + (lNew - lOld);
        return place < lNew ? place : lNew;
    }

private:
    LONG lOld, lNew, lHead, lTail;
};

}  // namespace

bool MainDialog::MergeOutsideChanges(const char* text, size_t size, NoteVersion* version,
                                     std::string* merged) {
    // The base is the version the editor's text stands on, as its bytes.
    // Most saves find the file as they left it: they copy nothing here.
    if (!bNoteBytesKnown || !version->known || ullNoteBytesTime != version->time)
        return false;
    unsigned long long onDisk = 0;
    if (!LFile::GetLastWriteTime(szNoteName, &onDisk) || onDisk == version->time ||
        strNoteBytes.compare(0, std::string::npos, text, size) == 0)
        return false;
    NoteFileText file;
    if (!ReadNoteFile(szNoteName, &file) || !file.exists)
        return false;
    std::string mine(text, size);
    std::string theirs(file.data ? file.data : "", file.size);
    if (MergeNoteBytes(strNoteBytes, mine, theirs, merged) != NOTE_MERGED)
        return false;
    // Both sides first, so that Note History can take the merge back.
    history.KeepVersion(szNoteName, &theirs, file.time, true);
    history.KeepVersion(szNoteName, &mine, 0, true);
    version->time = file.time;
    return true;
}

void MainDialog::ShowMergedText(const std::string& merged) {
    HWND editor = NoteText();
    if (!editor)
        return;
    std::u16string before = EditorUnits(editor);
    LONG start = 0, end = 0;
    LRichEdit::GetSelection(editor, &start, &end);
    LONG top = (LONG)SendMessageW(editor, EM_LINEINDEX,
                                  SendMessageW(editor, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    SendMessageW(editor, WM_SETREDRAW, FALSE, 0);
    bStreamingIn = true;
    LRichEdit::StreamInFileBytes(editor, merged.data(), merged.size(), &iNoteEncoding);
    bStreamingIn = false;
    PlaceMap map(before, EditorUnits(editor));
    LRichEdit::SetSelection(editor, map.Map(start), map.Map(end));
    LONG line = (LONG)SendMessageW(editor, EM_EXLINEFROMCHAR, 0, map.Map(top));
    LONG first = (LONG)SendMessageW(editor, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageW(editor, EM_LINESCROLL, 0, line - first);
    SendMessageW(editor, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(editor, NULL, TRUE);
    // What the editor holds now is what was saved.
    bNoteTextChanged = false;
    SendDlgItemMessageW(hwnd, IDC_STATUS, SB_SETTEXTW, 0,
                        (LPARAM)(WCHAR*)LWide("Changes made to this note on another computer were "
                                              "merged with yours."));
}

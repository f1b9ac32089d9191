#include "features/findjob.h"

#include <commctrl.h>
#include <string.h>

#include "mainwindow/maindialog.h"
#include "notebook/notefolder.h"

FindJob::FindJob(MainDialog& main) : LProgressDialog("Finding"), main(main), hwndNotes(NULL) {
    szFindUtf8[0] = '\0';
    NoteFindText none = {"", 0, "", 0, false};
    find = none;
}

int FindJob::MainFunction() {
    // The count is taken once: notes that the folder scan adds meanwhile
    // wait for the next search.
    // Looked up once: finding a control by its id is slow under Wine.
    hwndNotes = main.NotesList();
    const int count = ListView_GetItemCount(hwndNotes);
    char folder[LFILE_PATH];
    main.GetCurrentBookFolder(folder);
    size_t utf8Size = CodePageToUtf8(main.szFindText, szFindUtf8);
    NoteFindText text = {main.szFindText, strlen(main.szFindText), szFindUtf8, utf8Size,
                         main.bFindMatchCase};
    find = text;
    for (; main.iFindNoteIndex < count; ++main.iFindNoteIndex) {
        if (PumpMessages())
            return FIND_CANCELLED;
        SetProgress((double)main.iFindNoteIndex / count);
        if (NoteContains(folder, main.iFindNoteIndex))
            return FIND_FOUND;
    }
    return FIND_NONE;
}

bool FindJob::NoteContains(const char* folder, int index) {
    char name[LFILE_PATH], path[LFILE_PATH];
    NoteItemPath(hwndNotes, index, folder, name, path);
    size_t size = 0;
    char* text = LFile::ReadTextFile(path, &size);
    bool found = text && NoteHoldsText(text, size, size == LFILE_READ_LIMIT, find);
    delete[] text;
    return found;
}

#include "features/findjob.h"

#include <commctrl.h>
#include <string.h>

#include "features/notesearch.h"
#include "mainwindow/maindialog.h"
#include "notebook/notefolder.h"
#include "util/lowned.h"

FindJob::FindJob(MainDialog& main)
    : LProgressDialog("Finding"),
      main(main),
      pbBuffer(new char[NOTE_SEARCH_LIMIT]),
      pUnits(new char16_t[NOTE_SEARCH_LIMIT]),
      pFind(NULL) {}

FindJob::~FindJob() {
    delete[] pbBuffer;
    delete[] pUnits;
}

int FindJob::MainFunction() {
    FindPattern text(main.szFindText, main.bFindMatchCase);
    pFind = &text;
    int result = SearchFrom(main.iFindNoteIndex < 0 ? 0 : main.iFindNoteIndex);
    pFind = NULL;
    return result;
}

int FindJob::SearchFrom(int first) {
    // The names are taken before the loop: scans run from the pump below and
    // insert and remove items, so an index into the live list would skip
    // notes or search one twice. Notes a scan adds wait for the next search.
    HWND list = main.NotesList();
    const int count = ListView_GetItemCount(list);
    names.clear();
    for (int i = first; i < count; ++i) {
        char name[LFILE_PATH] = "";
        NoteItemText(list, i, name);
        names.push_back(name);
    }

    // Paths are the folder, a backslash, the name and ".txt": the folder part
    // is written once.
    char path[LFILE_PATH];
    main.GetCurrentBookFolder(path);
    size_t folderLength = strlen(path);
    if (folderLength + 1 < sizeof path)
        path[folderLength++] = '\\';

    DWORD lastPump = GetTickCount() - FIND_PUMP_INTERVAL_MS;
    for (size_t i = 0; i < names.size(); ++i) {
        main.iFindNoteIndex = first + (int)i;
        // Each pump is a round trip to the window system; a clock read is not.
        if (GetTickCount() - lastPump >= FIND_PUMP_INTERVAL_MS) {
            if (PumpMessages())
                return FIND_CANCELLED;
            SetProgress((double)i / names.size());
            lastPump = GetTickCount();
        }
        const std::string& name = names[i];
        // A path that does not fit names no file of this note: never cut it.
        if (folderLength + name.size() + 4 >= sizeof path)
            continue;
        memcpy(path + folderLength, name.c_str(), name.size());
        memcpy(path + folderLength + name.size(), ".txt", 5);
        if (NoteContains(path)) {
            // Where the note is in the list now; gone if a scan took it away.
            int found = main.FindNoteItem(name.c_str());
            if (found >= 0) {
                main.iFindNoteIndex = found;
                return FIND_FOUND;
            }
        }
    }
    main.iFindNoteIndex = ListView_GetItemCount(list);
    return FIND_NONE;
}

// Only the first NOTE_SEARCH_LIMIT bytes count; a file that cannot be opened
// or read holds nothing.
bool FindJob::NoteContains(const char* path) {
    LHandle file(LFile::OpenForReading(path));
    if (!file.IsOpen())
        return false;
    DWORD got = 0;
    if (!ReadFile(file.Get(), pbBuffer, (DWORD)NOTE_SEARCH_LIMIT, &got, NULL))
        got = 0;
    return NoteHoldsText(pbBuffer, got, got == NOTE_SEARCH_LIMIT, pFind->Forms(), pUnits);
}

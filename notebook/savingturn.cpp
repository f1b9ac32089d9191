#include "notebook/savingturn.h"

#include <string.h>
#include "util/ltime.h"
#include "util/lwide.h"

namespace {

const char kTurnName[] = "~jslock.tmp";
// A save in progress holds the turn for a check and a rename: a few
// milliseconds. Waiting that long is no freeze.
const int kQuickTries = 4;
const DWORD kQuickPauseMs = 4;

bool SeeTurnFile(const char* path, TurnFileSeen* seen) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExU(path, GetFileExInfoStandard, &data))
        return false;
    seen->created = LTimeOf(data.ftCreationTime);
    seen->written = LTimeOf(data.ftLastWriteTime);
    seen->size = ((unsigned long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    seen->attributes = data.dwFileAttributes;
    return true;
}

}  // namespace

SavingTurn::SavingTurn() : hTurn(INVALID_HANDLE_VALUE) {
    szFile[0] = '\0';
}

SavingTurn::~SavingTurn() {
    Release();
}

bool SavingTurn::TryCreate() {
    hTurn = CreateFileU(szFile, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, NULL);
    return hTurn != INVALID_HANDLE_VALUE;
}

bool SavingTurn::SetFile(const char* notePath) {
    LFile::_GetFolderFromPath(szFile, notePath);
    if (strlen(szFile) + 1 + strlen(kTurnName) > (size_t)LFILE_PATH_MAX_CHARS)
        return false;
    LFile::FilePathCat(szFile, kTurnName);
    return true;
}

void SavingTurn::Notice(const char* notePath, unsigned nowMs) {
    TurnFileSeen seen;
    if (hTurn == INVALID_HANDLE_VALUE && SetFile(notePath) && SeeTurnFile(szFile, &seen))
        watch.Noticed(seen, nowMs);
}

TurnResult SavingTurn::Take(const char* notePath, unsigned nowMs) {
    Release();
    if (!SetFile(notePath))
        return TURN_BLOCKED;

    for (int attempt = 0; attempt < kQuickTries; ++attempt) {
        if (attempt)
            Sleep(kQuickPauseMs);
        if (TryCreate()) {
            watch.Taken();
            return TURN_TAKEN;
        }
    }
    // One that cannot be looked at (being deleted as its save finishes, or
    // refused by the folder's rights) is watched as one unchanged file, so
    // that its wait is bounded too.
    TurnFileSeen seen = {0, 0, 0, 0};
    SeeTurnFile(szFile, &seen);
    switch (watch.Seen(seen, nowMs)) {
    case TURN_WAIT:
        return TURN_BUSY;
    case TURN_GIVE_UP:
        return TURN_BLOCKED;
    case TURN_STALE:
        break;
    }
    // Left by a computer that stopped while saving. One still held open by
    // a save that takes long is waited for, up to the bound; one that cannot
    // be deleted otherwise (a folder of that name, a file not ours to
    // delete) is for the user to clear.
    if (!DeleteFileU(szFile) && GetLastError() == ERROR_SHARING_VIOLATION)
        return TURN_BUSY;
    if (!TryCreate())
        return TURN_BLOCKED;
    watch.Taken();
    return TURN_TAKEN;
}

void SavingTurn::Release() {
    if (hTurn != INVALID_HANDLE_VALUE)
        CloseHandle(hTurn);
    hTurn = INVALID_HANDLE_VALUE;
}

#include "notebook/notefile.h"

#include <windows.h>

#include <new>
#include <string.h>

#include "notebook/conflictname.h"
#include "notebook/notepath.h"
#include "util/lowned.h"
#include "util/lwide.h"

namespace {

NoteStamp LocalStamp(unsigned long long time) {
    FILETIME utc = {(DWORD)time, (DWORD)(time >> 32)}, local;
    SYSTEMTIME st;
    ZeroMemory(&st, sizeof st);
    if (FileTimeToLocalFileTime(&utc, &local))
        FileTimeToSystemTime(&local, &st);
    NoteStamp stamp = {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute};
    return stamp;
}

// Copies the version on disk to the first free conflict name beside it.
bool KeepOtherVersion(const char* path, unsigned long long onDisk, char* keptName) {
    char folder[LFILE_PATH], title[LFILE_PATH];
    LFile::_GetFolderFromPath(folder, path);
    LFile::_GetFileTitleFromPath(title, path);
    NoteStamp stamp = LocalStamp(onDisk);
    for (int attempt = 1; attempt < 100; ++attempt) {
        char name[LFILE_PATH], copy[LFILE_PATH];
        if (!ConflictNoteName(folder, title, stamp, attempt, name) || !NotePath(folder, name, copy))
            return false;
        if (LFile::Exists(copy))
            continue;
        if (!CopyFileU(path, copy, TRUE))
            return false;
        lstrcpynA(keptName, name, LFILE_PATH);
        return true;
    }
    return false;
}

// Grows data to hold size more bytes and two zero bytes.
bool Grow(NoteFileText* out, size_t& capacity, size_t more) {
    size_t need = out->size + more + 2;
    if (need <= capacity)
        return true;
    size_t grown = capacity ? capacity * 2 : 0x10000;
    while (grown < need)
        grown *= 2;
    char* data = new (std::nothrow) char[grown];
    if (!data)
        return false;
    if (out->data)
        memcpy(data, out->data, out->size);
    delete[] out->data;
    out->data = data;
    capacity = grown;
    return true;
}

}  // namespace

bool ReadNoteFile(const char* path, NoteFileText* out) {
    LHandle file(LFile::OpenForReading(path));
    if (!file.IsOpen())
        return GetLastError() == ERROR_FILE_NOT_FOUND;  // only a missing file is rightly empty
    out->exists = true;
    FILETIME written;
    bool whole = GetFileTime(file.Get(), NULL, NULL, &written) != FALSE;
    out->time = LTimeOf(written);
    const DWORD kChunk = 0x10000;
    size_t capacity = 0;
    while (whole) {
        DWORD got = 0;
        // A failed read is no end of file: the note is not whole.
        whole = Grow(out, capacity, kChunk) &&
                ReadFile(file.Get(), out->data + out->size, kChunk, &got, NULL);
        if (!whole || got == 0)
            break;
        out->size += got;
    }
    if (out->data)
        out->data[out->size] = out->data[out->size + 1] = '\0';
    return whole;
}

NoteSaveResult SaveNoteFile(const char* path, const void* data, size_t size, NoteVersion* version,
                            SavingTurn& turn, unsigned nowMs, char* keptName,
                            NoteVersion* previous) {
    keptName[0] = '\0';
    if (previous)
        previous->known = false;
    for (int attempt = 0; attempt < 2; ++attempt) {
        unsigned long long onDisk = 0;
        bool exists = LFile::GetLastWriteTime(path, &onDisk);
        if (exists && !(version->known && version->time == onDisk)) {
            if (!KeepOtherVersion(path, onDisk, keptName))
                return NOTE_SAVE_FAILED;
            version->known = true;
            version->time = onDisk;
        }
        char tmp[LFILE_PATH];
        unsigned long long written = 0;
        if (!LFile::WriteTempBeside(path, data, size, tmp, &written))
            return NOTE_SAVE_FAILED;
        if (exists) {
            TurnResult taken = turn.Take(path, nowMs);
            if (taken != TURN_TAKEN) {
                DeleteFileU(tmp);
                return taken == TURN_BUSY ? NOTE_TURN_BUSY : NOTE_TURN_BLOCKED;
            }
            // Another save came between the look and the turn: its version
            // is kept first, on the next round.
            unsigned long long now = 0;
            if (LFile::GetLastWriteTime(path, &now) && now != onDisk) {
                turn.Release();
                DeleteFileU(tmp);
                continue;
            }
        }
        bool replaced = LFile::ReplaceByTemp(tmp, path);
        turn.Release();
        if (!replaced)
            return NOTE_SAVE_FAILED;
        if (previous) {
            previous->known = exists;
            previous->time = onDisk;
        }
        version->known = true;
        version->time = written;
        return NOTE_SAVED;
    }
    return NOTE_SAVE_FAILED;
}

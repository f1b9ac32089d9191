// Folders that another user may have replaced with a junction or symbolic
// link: such a reparse point is recognised, removed as a link where the
// system allows, and never walked; a real folder is held open so that it
// cannot be swapped for a link while files in it are written or deleted.
#ifndef JOTWELL_UTIL_LFOLDER_H
#define JOTWELL_UTIL_LFOLDER_H

#include <windows.h>

namespace LFile {

// True when path names a junction, a symbolic link or another reparse point.
bool IsReparsePoint(const char* path);

// Removes the reparse point at path itself, never what it points to. True
// if nothing is left at path.
bool RemoveLink(const char* path);

}  // namespace LFile

class LFolderHold {
public:
    LFolderHold();
    ~LFolderHold();

    // Holds the folder at path, which nobody can then rename or delete until
    // Release. False (and nothing held) when path is missing, is no folder
    // or is a reparse point.
    bool Hold(const char* path);
    void Release();
    bool IsHeld() const;

    // Files directly in the held folder, named relative to its handle: if
    // the folder's path is made a link meanwhile, they still mean this
    // folder. name is a bare file name; one with a path separator, a colon
    // or ".." is refused. The handles (INVALID_HANDLE_VALUE on failure,
    // with the last error set) belong to the caller.

    // A new file, not shared, with the rights in sa (may be null); fails
    // if name exists.
    HANDLE CreateFileIn(const char* name, DWORD access, SECURITY_ATTRIBUTES* sa);
    // An existing file, shared for reading only; a link at name is opened
    // itself, never followed, and a folder is refused.
    HANDLE OpenFileIn(const char* name, DWORD access);
    // Deletes a file through a handle opened with DELETE access: the file
    // just checked, not whatever may have its name by then.
    static bool DeleteOpenFile(HANDLE file);

private:
    LFolderHold(const LFolderHold&) = delete;
    LFolderHold& operator=(const LFolderHold&) = delete;
    HANDLE OpenIn(const char* name, DWORD access, SECURITY_ATTRIBUTES* sa, DWORD share,
                  DWORD disposition);
    HANDLE hFolder;
};

#endif

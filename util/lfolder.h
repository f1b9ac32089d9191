// Folders that another user may have replaced with a junction or symbolic
// link: such a reparse point is recognised, removed as a link where the
// system allows, and never walked; a real folder is held open so that it
// cannot be swapped for a link while files in it are written or deleted.
#ifndef JOTWELL_UTIL_LFOLDER_H
#define JOTWELL_UTIL_LFOLDER_H

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

private:
    LFolderHold(const LFolderHold&) = delete;
    LFolderHold& operator=(const LFolderHold&) = delete;
    void* hFolder;
};

#endif

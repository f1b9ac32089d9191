// File and folder utilities: path joining and splitting on narrow 260-byte
// path buffers, legal file names, whole-file text reading and writing, the
// folder picker and folder deletion.
//
// The path and name rules need no window system and compile natively too;
// the file operations use the Win32 file API.
#ifndef JOTWELL_UTIL_LFILE_H
#define JOTWELL_UTIL_LFILE_H

#include <stddef.h>

#include <memory>

// Size of every path buffer: at most 259 characters and the terminating zero.
const int LFILE_PATH = 260;
const int LFILE_PATH_MAX_CHARS = LFILE_PATH - 1;

// Largest number of bytes ReadTextFile returns.
const unsigned LFILE_READ_LIMIT = 0x10000;

namespace LFile {

// Window-free path and name rules (lfilepath.cpp).

// Appends one component to the path in dst, inserting a backslash when dst
// does not already end in a separator. Cuts at 259 characters; a dst that
// already holds 259 characters or more stays unchanged.
void FilePathCat(char* dst, const char* part);

// Appends name and ext as one component, with FilePathCat's separator rule.
// Never cuts: when the whole does not fit in 259 characters, dst stays
// unchanged and the result is false.
bool FilePathCatExt(char* dst, const char* name, const char* ext);

// Folder part of path (without the last separator); empty when path has no
// separator or only a leading one.
void _GetFolderFromPath(char* dst, const char* path);

// Text after the last separator of path.
void _GetFileFromPath(char* dst, const char* path);

// File part of path without its extension (cut at the last dot unless that
// dot is the first character).
void _GetFileTitleFromPath(char* dst, const char* path);

// Copies src (UTF-8) to dst without control characters and the characters
// " * . / : < > ? \ | ; keeps at most 259 bytes, cut between characters.
// True if anything is left.
bool MakeValidFileName(const char* src, char* dst);

// True for the two characters that separate folders in a path.
inline bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Win32 file operations (lfileio.cpp).

// Opens a file for reading while others may read, write, rename and delete
// it: a reader never stands in the way of another computer's save or delete.
// INVALID_HANDLE_VALUE (as a void*) on failure; close with CloseHandle.
void* OpenForReading(const char* path);

// Reads at most 65,536 bytes of a file into a new zero-terminated buffer.
// Null for a missing, unreadable or empty file. When pSize is given it
// receives the number of bytes read.
std::unique_ptr<char[]> ReadTextFile(const char* path, size_t* pSize = 0);

// Replaces the file at path with the given bytes so that, whenever the
// program stops, either the old or the whole new content is on disk: the
// bytes go to a temporary file in the same folder (WriteTempBeside), which is
// then renamed over the target in one step (ReplaceByTemp). True if the write
// succeeded; on failure the old file is left whole.
bool WriteTextFile(const char* path, const char* text);
bool WriteFileBytes(const char* path, const void* data, size_t size);

// Writes the bytes to a new temporary file beside path and closes it, on the
// disk. It gets the creation time and access rights of the file at path,
// where the system allows, so that the replacement changes nothing but the
// content. Its name goes to tmp (260 bytes), and the write time it will keep
// through the rename to *time when time is given. Temporary files of saves
// that were cut off, in that folder, are removed on the way. False leaves
// nothing behind.
bool WriteTempBeside(const char* path, const void* data, size_t size, char* tmp,
                     unsigned long long* time = 0);

// Creates a new temporary file beside path, open for writing and shared
// with no one until it is closed (CloseHandle); its name goes to tmp (260
// bytes). INVALID_HANDLE_VALUE (as a void*) on failure.
void* CreateTempBeside(const char* path, char* tmp);

// Puts the temporary file tmp in path's place in one rename, keeping the
// target's attributes. A target that cannot be replaced stays whole and tmp
// is removed; with no target at all, tmp takes its place, or stays where it
// is when even that fails (it may be the only copy of the text).
bool ReplaceByTemp(const char* tmp, const char* path);

// Renames a file, also when only the letter case of its name changes. True
// if it now has the new name.
bool RenameFile(const char* from, const char* to);

// Last-write time of a file as a 64-bit file time, through OpenForReading.
// False when it cannot be read.
bool GetLastWriteTime(const char* path, unsigned long long* time);

// True when a file or folder of that name exists.
bool Exists(const char* path);

// Shows the shell's folder picker owned by the active window. True and the
// chosen folder in dst (260 bytes) unless the user cancelled.
bool BrowseForFolder(char* dst, const char* title);

// Deletes every file directly in folder, then the folder if it is empty
// (lfolder.cpp). A junction or symbolic link, as the folder or inside it, is
// removed as a link and never walked. True if the folder is gone.
bool DeleteFolderAndFiles(const char* folder);

}  // namespace LFile

#endif

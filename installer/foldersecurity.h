// Access rights of the program folder and of shared book folders.
#ifndef JOTWELL_INSTALLER_FOLDERSECURITY_H
#define JOTWELL_INSTALLER_FOLDERSECURITY_H

// Creates the program folder (or corrects an existing one) so that everyone
// can read it and create book folders in it, and has full access to those
// book folders and the notes in them, but nobody except administrators and
// the system may change or delete the files directly in it (the program,
// started at every user's logon). True if the folder exists afterwards.
bool CreateProgramFolder(const char* path);

// Creates a book folder that every user of the computer can read and write,
// with its notes. An existing folder is used unchanged. True if it exists.
bool CreateSharedBookFolder(const char* path);

// Gives a file that lies directly in the program folder a protected DACL:
// everyone may read and execute it, administrators and the system have
// full control. True on success.
bool ProtectProgramFile(const char* path);

// The access-control lists behind the three operations, built into a
// caller's buffer of at least FOLDER_ACL_BYTES bytes (DWORD-aligned).
enum FolderAclKind { ACL_PROGRAM_FOLDER, ACL_SHARED_BOOK_FOLDER, ACL_PROGRAM_FILE };
const unsigned FOLDER_ACL_BYTES = 1024;
bool BuildFolderAcl(FolderAclKind kind, void* buffer, unsigned size);

#endif

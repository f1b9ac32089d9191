// Access rights of the program folder and of shared book folders.
#ifndef JOTWELL_INSTALLER_FOLDERSECURITY_H
#define JOTWELL_INSTALLER_FOLDERSECURITY_H

#include <windows.h>

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

// The access-control lists behind these operations, built into a caller's
// buffer of at least FOLDER_ACL_BYTES bytes (DWORD-aligned). A private
// folder is open to the user of this process alone.
enum FolderAclKind {
    ACL_PROGRAM_FOLDER,
    ACL_SHARED_BOOK_FOLDER,
    ACL_PROGRAM_FILE,
    ACL_PRIVATE_FOLDER
};
const unsigned FOLDER_ACL_BYTES = 1024;
bool BuildFolderAcl(FolderAclKind kind, void* buffer, unsigned size);

// Security attributes that give a new file or folder a protected DACL of
// one kind from its creation on, so that no handle opened before the rights
// are set can outlast them.
class ProtectedSecurity {
public:
    explicit ProtectedSecurity(FolderAclKind kind);
    // Null when the DACL could not be built: the caller must not create.
    SECURITY_ATTRIBUTES* Attributes();

private:
    ProtectedSecurity(const ProtectedSecurity&) = delete;
    ProtectedSecurity& operator=(const ProtectedSecurity&) = delete;
    DWORD adwAcl[FOLDER_ACL_BYTES / sizeof(DWORD)];
    SECURITY_DESCRIPTOR sdDescriptor;
    SECURITY_ATTRIBUTES saAttributes;
    bool bBuilt;
};

#endif

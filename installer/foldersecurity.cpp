#include "installer/foldersecurity.h"

#include <windows.h>
#include <aclapi.h>

#include "util/lfile.h"
#include "util/lfolder.h"
#include "util/lowned.h"
#include "util/lwide.h"

namespace {

// A well-known SID, freed with the object.
class WellKnownSid {
public:
    WellKnownSid(SID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD rid0, DWORD rid1 = 0)
        : psid(NULL) {
        if (!AllocateAndInitializeSid(&authority, count, rid0, rid1, 0, 0, 0, 0, 0, 0, &psid))
            psid = NULL;
    }
    ~WellKnownSid() {
        if (psid)
            FreeSid(psid);
    }
    WellKnownSid(const WellKnownSid&) = delete;
    WellKnownSid& operator=(const WellKnownSid&) = delete;
    PSID psid;
};

SID_IDENTIFIER_AUTHORITY WorldAuthority() {
    SID_IDENTIFIER_AUTHORITY a = {SECURITY_WORLD_SID_AUTHORITY};
    return a;
}

SID_IDENTIFIER_AUTHORITY NtAuthority() {
    SID_IDENTIFIER_AUTHORITY a = {SECURITY_NT_AUTHORITY};
    return a;
}

const DWORD kInheritAll = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;

class Sids {
public:
    Sids()
        : everyone(WorldAuthority(), 1, SECURITY_WORLD_RID),
          admins(NtAuthority(), 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS),
          system(NtAuthority(), 1, SECURITY_LOCAL_SYSTEM_RID) {}
    bool Ok() const { return everyone.psid && admins.psid && system.psid; }
    WellKnownSid everyone, admins, system;
};

// The user this process runs as, from its token.
class TokenUserSid {
public:
    TokenUserSid() : psid(NULL) {
        HANDLE token = NULL;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
            return;
        LHandle owned(token);
        DWORD size = 0;
        if (GetTokenInformation(token, TokenUser, abBuffer, sizeof abBuffer, &size))
            psid = ((TOKEN_USER*)abBuffer)->User.Sid;
    }
    PSID psid;

private:
    TokenUserSid(const TokenUserSid&) = delete;
    TokenUserSid& operator=(const TokenUserSid&) = delete;
    DWORD abBuffer[64];  // a TOKEN_USER and its SID, DWORD-aligned
};

bool Allow(PACL acl, PSID sid, DWORD mask, DWORD flags) {
    return AddAccessAllowedAceEx(acl, ACL_REVISION, flags, mask, sid) != FALSE;
}

// Creates a folder whose DACL is acl (inheritance from the parent still
// applies); with no ACL the folder gets default security.
bool CreateFolderWithAcl(const char* path, PACL acl) {
    SECURITY_DESCRIPTOR sd;
    SECURITY_ATTRIBUTES sa = {sizeof sa, NULL, FALSE};
    if (acl && InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION) &&
        SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE))
        sa.lpSecurityDescriptor = &sd;
    CreateDirectoryU(path, &sa);
    return LFile::Exists(path);
}

}  // namespace

bool BuildFolderAcl(FolderAclKind kind, void* buffer, unsigned size) {
    Sids sids;
    PACL acl = (PACL)buffer;
    if (!sids.Ok() || !InitializeAcl(acl, size, ACL_REVISION))
        return false;
    switch (kind) {
    case ACL_PROGRAM_FOLDER:
        // Administrators and the system keep full control everywhere below.
        // Everyone may look inside the folder and add book folders, but not
        // add, replace or delete the files that lie directly in it; what is
        // created inside (book folders and notes) is shared by everyone.
        return Allow(acl, sids.admins.psid, FILE_ALL_ACCESS, kInheritAll) &&
               Allow(acl, sids.system.psid, FILE_ALL_ACCESS, kInheritAll) &&
               Allow(acl, sids.everyone.psid,
                     FILE_GENERIC_READ | FILE_GENERIC_EXECUTE | FILE_ADD_SUBDIRECTORY, 0) &&
               Allow(acl, sids.everyone.psid, FILE_ALL_ACCESS, kInheritAll | INHERIT_ONLY_ACE);
    case ACL_SHARED_BOOK_FOLDER:
        return Allow(acl, sids.admins.psid, FILE_ALL_ACCESS, kInheritAll) &&
               Allow(acl, sids.system.psid, FILE_ALL_ACCESS, kInheritAll) &&
               Allow(acl, sids.everyone.psid, FILE_ALL_ACCESS, kInheritAll);
    case ACL_PROGRAM_FILE:
        return Allow(acl, sids.admins.psid, FILE_ALL_ACCESS, 0) &&
               Allow(acl, sids.system.psid, FILE_ALL_ACCESS, 0) &&
               Allow(acl, sids.everyone.psid, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE, 0);
    case ACL_PRIVATE_FOLDER: {
        TokenUserSid user;
        return user.psid && Allow(acl, user.psid, FILE_ALL_ACCESS, kInheritAll);
    }
    }
    return false;
}

ProtectedSecurity::ProtectedSecurity(FolderAclKind kind) : bBuilt(false) {
    saAttributes.nLength = sizeof saAttributes;
    saAttributes.lpSecurityDescriptor = &sdDescriptor;
    saAttributes.bInheritHandle = FALSE;
    bBuilt = BuildFolderAcl(kind, adwAcl, sizeof adwAcl) &&
             InitializeSecurityDescriptor(&sdDescriptor, SECURITY_DESCRIPTOR_REVISION) &&
             SetSecurityDescriptorDacl(&sdDescriptor, TRUE, (PACL)adwAcl, FALSE) &&
             SetSecurityDescriptorControl(&sdDescriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
}

SECURITY_ATTRIBUTES* ProtectedSecurity::Attributes() {
    return bBuilt ? &saAttributes : NULL;
}

bool CreateProgramFolder(const char* path) {
    // Only administrators can make a link here; should one be found, it is
    // replaced rather than followed.
    if (LFile::IsReparsePoint(path))
        LFile::RemoveLink(path);
    DWORD acl[FOLDER_ACL_BYTES / sizeof(DWORD)];
    bool built = BuildFolderAcl(ACL_PROGRAM_FOLDER, acl, sizeof acl);
    if (!LFile::Exists(path))
        return CreateFolderWithAcl(path, built ? (PACL)acl : NULL);
    // An older installation left a folder everyone could write to. Set on
    // the folder alone: passing the rights on to what lies inside could be
    // led through a link that a user put there.
    SECURITY_DESCRIPTOR sd;
    LHandle folder(CreateFileU(path, WRITE_DAC | READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               NULL, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, NULL));
    if (!folder.IsOpen())
        return true;
    if (built && !LFile::IsReparsePoint(path) &&
        InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION) &&
        SetSecurityDescriptorDacl(&sd, TRUE, (PACL)acl, FALSE))
        SetKernelObjectSecurity(folder.Get(), DACL_SECURITY_INFORMATION, &sd);
    return true;
}

bool CreateSharedBookFolder(const char* path) {
    if (LFile::Exists(path))
        return true;
    DWORD acl[FOLDER_ACL_BYTES / sizeof(DWORD)];
    bool built = BuildFolderAcl(ACL_SHARED_BOOK_FOLDER, acl, sizeof acl);
    return CreateFolderWithAcl(path, built ? (PACL)acl : NULL);
}

bool ProtectProgramFile(const char* path) {
    DWORD acl[FOLDER_ACL_BYTES / sizeof(DWORD)];
    if (!BuildFolderAcl(ACL_PROGRAM_FILE, acl, sizeof acl))
        return false;
    DWORD rc = SetNamedSecurityInfoW(LWide(path), SE_FILE_OBJECT,
                                     DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                     NULL, NULL, (PACL)acl, NULL);
    return rc == ERROR_SUCCESS;
}

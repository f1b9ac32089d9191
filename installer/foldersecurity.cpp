#include "installer/foldersecurity.h"

#include <windows.h>
#include <aclapi.h>

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

// The three principals every DACL here names, and an ACL built from them.
class FolderAcl {
public:
    FolderAcl()
        : everyone(WorldAuthority(), 1, SECURITY_WORLD_RID),
          admins(NtAuthority(), 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS),
          system(NtAuthority(), 1, SECURITY_LOCAL_SYSTEM_RID),
          ok(everyone.psid && admins.psid && system.psid &&
             InitializeAcl((PACL)buffer, sizeof buffer, ACL_REVISION)) {}

    void Allow(PSID sid, DWORD mask, DWORD flags) {
        if (ok && !AddAccessAllowedAceEx((PACL)buffer, ACL_REVISION, flags, mask, sid))
            ok = false;
    }

    // Administrators and the system keep full control everywhere below.
    void AllowAdministration() {
        Allow(admins.psid, FILE_ALL_ACCESS, kInheritAll);
        Allow(system.psid, FILE_ALL_ACCESS, kInheritAll);
    }

    PACL Acl() { return ok ? (PACL)buffer : NULL; }

    WellKnownSid everyone, admins, system;
    bool ok;

private:
    DWORD buffer[256];  // 1024 bytes, DWORD-aligned as an ACL must be
};

bool Exists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// Creates a folder whose DACL is acl (inheritance from the parent still
// applies); with no ACL the folder gets default security.
bool CreateFolderWithAcl(const char* path, PACL acl) {
    SECURITY_DESCRIPTOR sd;
    SECURITY_ATTRIBUTES sa = {sizeof sa, NULL, FALSE};
    if (acl && InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION) &&
        SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE))
        sa.lpSecurityDescriptor = &sd;
    CreateDirectoryA(path, &sa);
    return Exists(path);
}

}  // namespace

bool CreateProgramFolder(const char* path) {
    if (Exists(path))
        return true;
    FolderAcl acl;
    acl.AllowAdministration();
    // The folder itself: everyone may look inside and add book folders, but
    // not add, replace or delete the files that lie directly in it.
    acl.Allow(acl.everyone.psid, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE | FILE_ADD_SUBDIRECTORY,
              0);
    // Everything created inside: book folders and notes shared by everyone.
    acl.Allow(acl.everyone.psid, FILE_ALL_ACCESS, kInheritAll | INHERIT_ONLY_ACE);
    return CreateFolderWithAcl(path, acl.Acl());
}

bool CreateSharedBookFolder(const char* path) {
    if (Exists(path))
        return true;
    FolderAcl acl;
    acl.AllowAdministration();
    acl.Allow(acl.everyone.psid, FILE_ALL_ACCESS, kInheritAll);
    return CreateFolderWithAcl(path, acl.Acl());
}

bool ProtectProgramFile(const char* path) {
    FolderAcl acl;
    acl.Allow(acl.admins.psid, FILE_ALL_ACCESS, 0);
    acl.Allow(acl.system.psid, FILE_ALL_ACCESS, 0);
    acl.Allow(acl.everyone.psid, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE, 0);
    if (!acl.Acl())
        return false;
    DWORD rc = SetNamedSecurityInfoA((LPSTR)path, SE_FILE_OBJECT,
                                     DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                     NULL, NULL, acl.Acl(), NULL);
    return rc == ERROR_SUCCESS;
}

// Registry string values on any root and key, for the installer's entries
// outside the settings sections (uninstall entry, logon start, shell folders).
#ifndef JOTWELL_INSTALLER_REGISTRY_H
#define JOTWELL_INSTALLER_REGISTRY_H

#include <windows.h>

// Creates the key if needed and stores text as REG_SZ; failures are silent.
void WriteRegistryString(HKEY root, const char* key, const char* name, const char* text);

// out (260 bytes) receives the value, or def when it cannot be read.
// True if the value was read.
bool ReadRegistryString(HKEY root, const char* key, const char* name, char* out,
                        const char* def);

// Deletes a value; a missing key or value is harmless.
void DeleteRegistryValue(HKEY root, const char* key, const char* name);

#endif

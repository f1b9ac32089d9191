#include "installer/registry.h"

#include <string.h>

void WriteRegistryString(HKEY root, const char* key, const char* name, const char* text) {
    HKEY hKey;
    if (RegCreateKeyExA(root, key, 0, (LPSTR) "", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        NULL, &hKey, NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExA(hKey, name, 0, REG_SZ, (const BYTE*)text, (DWORD)strlen(text) + 1);
    RegCloseKey(hKey);
}

bool ReadRegistryString(HKEY root, const char* key, const char* name, char* out,
                        const char* def) {
    lstrcpynA(out, def, MAX_PATH);
    HKEY hKey;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return false;
    char value[MAX_PATH];
    DWORD size = MAX_PATH;
    LONG rc = RegQueryValueExA(hKey, name, NULL, NULL, (BYTE*)value, &size);
    RegCloseKey(hKey);
    if (rc != ERROR_SUCCESS)
        return false;
    // A value stored without its terminating zero still ends in one here.
    if (size >= MAX_PATH)
        size = MAX_PATH - 1;
    value[size] = '\0';
    strcpy(out, value);
    return true;
}

void DeleteRegistryValue(HKEY root, const char* key, const char* name) {
    HKEY hKey;
    if (RegOpenKeyExA(root, key, 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(hKey, name);
    RegCloseKey(hKey);
}

#include "installer/registry.h"

#include <string.h>

#include "util/lowned.h"
#include "util/lwide.h"

// Held as UTF-8 like every text of the program: a shell folder or the
// program's path may hold characters of any language.
void WriteRegistryString(HKEY root, const char* key, const char* name, const char* text) {
    LRegKey hKey;
    if (RegCreateKeyExW(root, LWide(key), 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
                        hKey.Receive(), NULL) != ERROR_SUCCESS)
        return;
    LWide wide(text);
    RegSetValueExW(hKey.Get(), LWide(name), 0, REG_SZ, (const BYTE*)(const WCHAR*)wide,
                   (DWORD)((wcslen(wide) + 1) * sizeof(WCHAR)));
}

bool ReadRegistryString(HKEY root, const char* key, const char* name, char* out,
                        const char* def) {
    lstrcpynA(out, def, MAX_PATH);
    LRegKey hKey;
    if (RegOpenKeyExW(root, LWide(key), 0, KEY_QUERY_VALUE, hKey.Receive()) != ERROR_SUCCESS)
        return false;
    WCHAR value[MAX_PATH + 1];
    DWORD size = MAX_PATH * sizeof(WCHAR);
    DWORD type = 0;
    LONG rc = RegQueryValueExW(hKey.Get(), LWide(name), NULL, &type, (BYTE*)value, &size);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    // A value stored without its terminating zero still ends in one here.
    value[size / sizeof(WCHAR)] = L'\0';
    if (LNarrowTo(value, out, MAX_PATH))
        return true;
    lstrcpynA(out, def, MAX_PATH);  // cut, it would be another path
    return false;
}

void DeleteRegistryValue(HKEY root, const char* key, const char* name) {
    LRegKey hKey;
    if (RegOpenKeyExW(root, LWide(key), 0, KEY_SET_VALUE, hKey.Receive()) != ERROR_SUCCESS)
        return;
    RegDeleteValueW(hKey.Get(), LWide(name));
}

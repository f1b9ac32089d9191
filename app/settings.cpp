// Settings store on the registry.
#include "app/settings.h"

#include <windows.h>
#include <string.h>

#include "util/lowned.h"
#include "util/lwide.h"

namespace {

// Values are stored as the system's Unicode strings and held as UTF-8, so
// that a folder named in any language is kept; values that earlier versions
// stored through the code page read the same.
void GetStringIn(HKEY root, const char* section, const char* name, const char* def,
                 char* out) {
    char keyPath[SETTINGS_VALUE];
    SettingsKeyPath(section, keyPath);
    LRegKey hKey;
    if (RegOpenKeyExW(root, LWide(keyPath), 0, KEY_QUERY_VALUE, hKey.Receive()) == ERROR_SUCCESS) {
        WCHAR value[SETTINGS_VALUE + 1];
        DWORD size = sizeof value - sizeof(WCHAR);
        DWORD type = 0;
        LONG rc = RegQueryValueExW(hKey.Get(), LWide(name), NULL, &type, (BYTE*)value, &size);
        if (rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
            // Data stored without its terminating zero must still end in one.
            value[size / sizeof(WCHAR)] = L'\0';
            LNarrowTo(value, out, SETTINGS_VALUE);
            return;
        }
        if (rc == ERROR_SUCCESS) {
            // A value of another type reads as its bytes.
            if (size >= (DWORD)SETTINGS_VALUE)
                size = SETTINGS_VALUE - 1;
            memcpy(out, value, size);
            out[size] = '\0';
            return;
        }
    }
    lstrcpynA(out, def, SETTINGS_VALUE);
}

long SetStringIn(HKEY root, const char* section, const char* name, const char* text) {
    char keyPath[SETTINGS_VALUE];
    SettingsKeyPath(section, keyPath);
    LRegKey hKey;
    LONG rc = RegCreateKeyExW(root, LWide(keyPath), 0, NULL, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, NULL, hKey.Receive(), NULL);
    if (rc != ERROR_SUCCESS)
        return rc;
    LWide wide(text);
    return RegSetValueExW(hKey.Get(), LWide(name), 0, REG_SZ, (const BYTE*)(const WCHAR*)wide,
                          (DWORD)((wcslen(wide) + 1) * sizeof(WCHAR)));
}

void DeleteValueIn(HKEY root, const char* section, const char* name) {
    char keyPath[SETTINGS_VALUE];
    SettingsKeyPath(section, keyPath);
    LRegKey hKey;
    if (RegOpenKeyExW(root, LWide(keyPath), 0, KEY_SET_VALUE, hKey.Receive()) == ERROR_SUCCESS)
        RegDeleteValueW(hKey.Get(), LWide(name));
}

int GetIntIn(HKEY root, const char* section, const char* name, int def) {
    char text[SETTINGS_VALUE];
    GetStringIn(root, section, name, "", text);
    return SettingsTextToInt(text, def);
}

long SetIntIn(HKEY root, const char* section, const char* name, int value) {
    char text[SETTINGS_VALUE];
    SettingsIntToText(value, text);
    return SetStringIn(root, section, name, text);
}

}  // namespace

void SettingsGetString(const char* section, const char* name, const char* def, char* out) {
    GetStringIn(HKEY_LOCAL_MACHINE, section, name, def, out);
}

long SettingsSetString(const char* section, const char* name, const char* text) {
    return SetStringIn(HKEY_LOCAL_MACHINE, section, name, text);
}

void SettingsDeleteValue(const char* section, const char* name) {
    DeleteValueIn(HKEY_LOCAL_MACHINE, section, name);
}

int SettingsGetInt(const char* section, const char* name, int def) {
    return GetIntIn(HKEY_LOCAL_MACHINE, section, name, def);
}

long SettingsSetInt(const char* section, const char* name, int value) {
    return SetIntIn(HKEY_LOCAL_MACHINE, section, name, value);
}

bool SettingsGetBool(const char* section, const char* name, bool def) {
    char text[SETTINGS_VALUE];
    GetStringIn(HKEY_LOCAL_MACHINE, section, name, "", text);
    return SettingsTextToBool(text, def);
}

long SettingsSetBool(const char* section, const char* name, bool value) {
    return SetStringIn(HKEY_LOCAL_MACHINE, section, name, SettingsBoolToText(value));
}

int UserSettingsGetInt(const char* section, const char* name, int def) {
    return GetIntIn(HKEY_CURRENT_USER, section, name, def);
}

long UserSettingsSetInt(const char* section, const char* name, int value) {
    return SetIntIn(HKEY_CURRENT_USER, section, name, value);
}

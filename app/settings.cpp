// Settings store on the registry.
#include "app/settings.h"

#include <windows.h>
#include <string.h>

namespace {

void GetStringIn(HKEY root, const char* section, const char* name, const char* def,
                 char* out) {
    char keyPath[SETTINGS_VALUE];
    SettingsKeyPath(section, keyPath);
    HKEY hKey;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE, &hKey) == ERROR_SUCCESS) {
        out[0] = '\0';
        DWORD size = SETTINGS_VALUE;
        LONG rc = RegQueryValueExA(hKey, name, NULL, NULL, (BYTE*)out, &size);
        RegCloseKey(hKey);
        if (rc == ERROR_SUCCESS) {
            // Data stored without its terminating zero must still end in one.
            if (size >= (DWORD)SETTINGS_VALUE)
                size = SETTINGS_VALUE - 1;
            out[size] = '\0';
            return;
        }
    }
    lstrcpynA(out, def, SETTINGS_VALUE);
}

long SetStringIn(HKEY root, const char* section, const char* name, const char* text) {
    char keyPath[SETTINGS_VALUE];
    SettingsKeyPath(section, keyPath);
    HKEY hKey;
    LONG rc = RegCreateKeyExA(root, keyPath, 0, (LPSTR) "", REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, NULL, &hKey, NULL);
    if (rc != ERROR_SUCCESS)
        return rc;
    rc = RegSetValueExA(hKey, name, 0, REG_SZ, (const BYTE*)text, (DWORD)strlen(text) + 1);
    RegCloseKey(hKey);
    return rc;
}

void DeleteValueIn(HKEY root, const char* section, const char* name) {
    char keyPath[SETTINGS_VALUE];
    SettingsKeyPath(section, keyPath);
    HKEY hKey;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_SET_VALUE, &hKey) == ERROR_SUCCESS) {
        RegDeleteValueA(hKey, name);
        RegCloseKey(hKey);
    }
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

// Settings store: one registry key per section, opened, used and closed on
// every call. Machine-wide values live under HKEY_LOCAL_MACHINE, per-user
// values (only the hot-key combination) under HKEY_CURRENT_USER.
#ifndef JOTWELL_APP_SETTINGS_H
#define JOTWELL_APP_SETTINGS_H

#include "app/settingstext.h"

// out must hold 260 bytes; it receives the stored text or a copy of def.
// The setters return the registry's result: ERROR_SUCCESS (0) when stored.
void SettingsGetString(const char* section, const char* name, const char* def, char* out);
long SettingsSetString(const char* section, const char* name, const char* text);
void SettingsDeleteValue(const char* section, const char* name);
int SettingsGetInt(const char* section, const char* name, int def);
long SettingsSetInt(const char* section, const char* name, int value);
bool SettingsGetBool(const char* section, const char* name, bool def);
long SettingsSetBool(const char* section, const char* name, bool value);

int UserSettingsGetInt(const char* section, const char* name, int def);
long UserSettingsSetInt(const char* section, const char* name, int value);

#endif

// Text encoding of settings values: integers as decimal text, booleans as
// "1" or "0", an empty text meaning "use the default". Window-free.
#ifndef JOTWELL_APP_SETTINGSTEXT_H
#define JOTWELL_APP_SETTINGSTEXT_H

// Size of a settings value buffer: at most 259 characters and the zero.
const int SETTINGS_VALUE = 260;

// Registry key of a settings section below the root of a store.
const char* const SETTINGS_KEY_FORMAT = "Software\\Korvane\\Jotwell\\%s";

// Writes the key path of a section into out (260 bytes).
void SettingsKeyPath(const char* section, char* out);

// Decimal conversion as the C library does it: leading white space, an
// optional sign, digits up to the first non-digit, no overflow check.
// Empty text gives def; text without digits gives 0.
int SettingsTextToInt(const char* text, int def);

// "%d" of value into out (at least 12 bytes).
void SettingsIntToText(int value, char* out);

// Empty text gives def; otherwise true unless the first character is '0'.
bool SettingsTextToBool(const char* text, bool def);

// "1" or "0".
const char* SettingsBoolToText(bool value);

#endif

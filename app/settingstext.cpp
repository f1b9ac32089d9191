// Settings value text rules. Window-free: also compiled natively.
#include "app/settingstext.h"

#include <stdio.h>

void SettingsKeyPath(const char* section, char* out) {
    snprintf(out, SETTINGS_VALUE, SETTINGS_KEY_FORMAT, section);
}

int SettingsTextToInt(const char* text, int def) {
    if (!text[0])
        return def;
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    // Unsigned arithmetic wraps like the library's unchecked conversion
    // without undefined behaviour on overflow.
    unsigned value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        value = value * 10u + (unsigned)(*p - '0');
    return (int)(negative ? 0u - value : value);
}

void SettingsIntToText(int value, char* out) {
    sprintf(out, "%d", value);
}

bool SettingsTextToBool(const char* text, bool def) {
    if (!text[0])
        return def;
    return text[0] != '0';
}

const char* SettingsBoolToText(bool value) {
    return value ? "1" : "0";
}

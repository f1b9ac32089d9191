#include "features/rtfunicode.h"

#include <stdio.h>

namespace {

size_t EscapeUnit(unsigned unit, char* out) {
    // Units above 32767 are written as negative numbers: readers take the
    // parameter as a signed 16-bit value.
    int n = unit > 0x7FFF ? (int)unit - 0x10000 : (int)unit;
    char escape[16];
    int length = snprintf(escape, sizeof escape, "\\u%d?", n);
    for (int i = 0; i < length; ++i)
        out[i] = escape[i];
    return (size_t)length;
}

}  // namespace

size_t RtfUnicodeEscape(unsigned code, char* out) {
    if (code < 0x10000)
        return EscapeUnit(code, out);
    code -= 0x10000;
    size_t length = EscapeUnit(0xD800 + (code >> 10), out);
    return length + EscapeUnit(0xDC00 + (code & 0x3FF), out + length);
}

// Unicode characters in rich text: the escape \uN? with N the UTF-16 unit as
// a signed 16-bit number, and "?" the stand-in that readers without Unicode
// show instead (the document keeps the default of one stand-in each).
// Window-free.
#ifndef JOTWELL_FEATURES_RTFUNICODE_H
#define JOTWELL_FEATURES_RTFUNICODE_H

#include <stddef.h>

// The longest escape of one character: the two escapes of a surrogate pair.
const size_t RTF_UNICODE_ESCAPE_MAX = 18;

// Writes the escape of the character code (at most U+10FFFF) to out, two
// escapes for a character beyond U+FFFF; returns its length. out has room
// for RTF_UNICODE_ESCAPE_MAX bytes; nothing is zero-terminated.
size_t RtfUnicodeEscape(unsigned code, char* out);

#endif

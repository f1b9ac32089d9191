// Short code-page texts (names, the find text) in UTF-8, for comparing with
// and writing beside the text of UTF-8 notes.
#ifndef JOTWELL_UTIL_LCODEPAGE_H
#define JOTWELL_UTIL_LCODEPAGE_H

#include <stddef.h>

#include "util/lfile.h"

// Room for the UTF-8 of a text of at most LFILE_PATH_MAX_CHARS bytes: each
// byte is at most one character of at most 3 bytes.
const size_t LCODEPAGE_UTF8_SIZE = LFILE_PATH * 3;

// The system code page's text (at most LFILE_PATH_MAX_CHARS bytes, longer
// is cut) in UTF-8, zero-terminated, into out of LCODEPAGE_UTF8_SIZE bytes.
// Returns the length.
size_t CodePageToUtf8(const char* text, char* out);

#endif

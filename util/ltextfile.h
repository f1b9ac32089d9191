// A text file's bytes, in whichever encoding they are, as UTF-16 for a
// Unicode control, and the control's text back as the file's bytes.
#ifndef JOTWELL_UTIL_LTEXTFILE_H
#define JOTWELL_UTIL_LTEXTFILE_H

#include <stddef.h>

#include <string>

#include "util/textencoding.h"

// The bytes (with their byte-order mark) as UTF-16 in *text, their encoding
// in *encoding. False when the text cannot give the bytes back (see
// TextDecode).
bool TextFileToWide(const char* bytes, size_t size, std::u16string* text, TextEncoding* encoding);

// The text as a file in the encoding it was read in: a code-page file stays
// in the code page while every character fits, else becomes UTF-8 with its
// mark; the encoding written goes to *saved.
std::string WideToTextFile(const std::u16string& text, TextEncoding loaded, TextEncoding* saved);

#endif

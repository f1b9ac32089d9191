// Draws all of the program's artwork and writes it as resource files.
#ifndef JOTWELL_TOOLS_ARTWORK_ARTWORK_H
#define JOTWELL_TOOLS_ARTWORK_ARTWORK_H

#include <string>

#include "dialogs/dpiscale.h"

// Creates folder if missing and writes jotwell.ico, logo.bmp, note_new.bmp,
// note_delete.bmp, book_new.bmp and find.bmp into it, and each of them again
// at 125, 150 and 200 percent, named with _125, _150 and _200 before the
// extension. On failure returns false with a message in error.
bool WriteArtwork(const std::string& folder, std::string& error);

// The file name of picture name ("logo.bmp") at a scale.
std::string ScaledFileName(const char* name, ImageScale scale);

#endif

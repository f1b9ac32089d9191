// Draws all of the program's artwork and writes it as resource files.
#ifndef JOTWELL_TOOLS_ARTWORK_ARTWORK_H
#define JOTWELL_TOOLS_ARTWORK_ARTWORK_H

#include <string>

// Creates folder if missing and writes jotwell.ico, logo.bmp, note_new.bmp,
// note_delete.bmp, book_new.bmp and find.bmp into it. On failure returns
// false with a message in error.
bool WriteArtwork(const std::string& folder, std::string& error);

#endif

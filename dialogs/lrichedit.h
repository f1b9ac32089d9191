// What the program asks of the platform's rich-edit control (version 2,
// class "RichEdit20W") that serves as the note editor: plain-text streaming,
// notifications, web-address detection, plain-text paste, find and selection.
// The editor holds Unicode text, so that every character a user types or
// pastes is kept; the program talks to it in the system code page except
// where a note's text is read or written.
#ifndef JOTWELL_DIALOGS_LRICHEDIT_H
#define JOTWELL_DIALOGS_LRICHEDIT_H

#include <windows.h>
#include <stddef.h>

#include "util/lfile.h"
#include "util/lowned.h"
#include "util/textencoding.h"

namespace LRichEdit {

// Adds the change, selection, mouse and link notifications to the event mask
// and turns on web-address detection.
void EnableNotifications(HWND edit);

// Replaces the whole content with a file's bytes in the encoding that
// TextEncodingOf finds, without the byte-order mark: a code-page file as its
// bytes in the code page, any other decoded by TextDecode. The encoding goes
// to *pEncoding. False when the editor cannot hold the text so that a save
// gives the file back (a zero character, an odd byte of UTF-16, no memory).
bool StreamInFileBytes(HWND edit, const char* data, size_t size, TextEncoding* pEncoding = NULL);

// Replaces the whole content with the given plain text.
void SetPlainText(HWND edit, const char* text);

// The whole content as plain text with CR LF line ends, in a new zero-
// terminated buffer. Null on failure.
LBuffer StreamOutText(HWND edit, size_t* pSize);

// The whole content as UTF-16 with CR LF line ends and *pCount units, in a
// new zero-terminated buffer of bytes, aligned to be read as WCHAR.
LBuffer StreamOutUnicode(HWND edit, size_t* pCount);

// The whole content as a file of a note loaded in encoding 'loaded' is to
// hold it (TextSaveEncoding): a code-page note whose every character fits
// exactly as StreamOutText gives it, otherwise UTF-8, with the byte-order
// mark where the encoding has one. The encoding used goes to *pSaved.
// Null on failure.
LBuffer StreamOutFileText(HWND edit, TextEncoding loaded, size_t* pSize, TextEncoding* pSaved);

// Inserts only the clipboard's plain text, in Unicode.
void PastePlainText(HWND edit);

// First occurrence of a text (UTF-8) at or after 'from', or -1, as the
// editor compares.
LONG FindText(HWND edit, LONG from, const char* text, bool matchCase);

// The characters from position 'from' to the end, one unit for each
// position, in a new buffer released with delete[]; their number goes to
// *pCount. Null when there is no memory.
std::unique_ptr<WCHAR[]> GetTextFrom(HWND edit, LONG from, LONG* pCount);

// Characters start to end (not included) into out, which has room for
// end - start + 1 bytes: one byte for each character position, in the code
// page, "?" where a character has no single byte there. Returns the number
// of positions read.
LONG GetTextRange(HWND edit, LONG start, LONG end, char* out);

void GetSelection(HWND edit, LONG* start, LONG* end);
void SetSelection(HWND edit, LONG start, LONG end);
void HideSelection(HWND edit, bool hide);

void SetReadOnly(HWND edit, bool readOnly);
void SetBackground(HWND edit, COLORREF colour);

}  // namespace LRichEdit

#endif

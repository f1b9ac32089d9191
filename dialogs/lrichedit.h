// What the program asks of the platform's rich-edit control (version 2,
// class "RichEdit20A") that serves as the note editor: plain-text streaming,
// notifications, web-address detection, plain-text paste, find and selection.
#ifndef JOTWELL_DIALOGS_LRICHEDIT_H
#define JOTWELL_DIALOGS_LRICHEDIT_H

#include <windows.h>
#include <stddef.h>

namespace LRichEdit {

// Adds the change, selection, mouse and link notifications to the event mask
// and turns on web-address detection.
void EnableNotifications(HWND edit);

// Replaces the whole content with a file's bytes as plain text. True when the
// whole file was read, or there is no such file (the editor is then empty);
// false when it could not be opened or read to its end.
bool StreamInFile(HWND edit, const char* path);

// Replaces the whole content with the given plain text.
void SetPlainText(HWND edit, const char* text);

// The whole content as plain text with CR LF line ends, in a new zero-
// terminated buffer the caller releases with delete[]. Null on failure.
char* StreamOutText(HWND edit, size_t* pSize);

// Inserts only the clipboard's plain text.
void PastePlainText(HWND edit);

// First occurrence of text at or after 'from', or -1.
LONG FindText(HWND edit, LONG from, const char* text, bool matchCase);

void GetSelection(HWND edit, LONG* start, LONG* end);
void SetSelection(HWND edit, LONG start, LONG end);
void HideSelection(HWND edit, bool hide);

void SetReadOnly(HWND edit, bool readOnly);
void SetBackground(HWND edit, COLORREF colour);

}  // namespace LRichEdit

#endif

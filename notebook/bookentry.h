// Book entries in the "Books" settings section, by 1-based position.
#ifndef JOTWELL_NOTEBOOK_BOOKENTRY_H
#define JOTWELL_NOTEBOOK_BOOKENTRY_H

// Value names of position p (buffers of at least 32 bytes).
void BookFolderValue(int position, char* name);
void BookTypeValue(int position, char* name);
void BookReadOnlyValue(int position, char* name);

// The book list's settings, read and written on every call.
void GetCurrentBook(char* name);                   // SETTINGS_VALUE bytes
void SetCurrentBook(const char* name);
int BookCount();
void SetBookCount(int count);
void GetBookFolder(int position, char* folder);    // 260 bytes; empty when missing
void SetBookFolder(int position, const char* folder);
bool BookIsDiary(int position);                    // type exactly "Diary"
void SetBookDiary(int position, bool diary);       // "Diary", or the value deleted
bool BookIsReadOnly(int position);
void SetBookReadOnly(int position, bool readOnly);
void DeleteBookEntry(int position);                // its three values

// Display name of a book folder: its last component without extension.
void BookDisplayName(const char* folder, char* name);

#endif

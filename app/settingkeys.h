// Every value the program keeps in its settings, read and written through
// the functions here, so that each section and value name is spelled once:
// a misspelt name would silently start a new value. The book list's own
// values are in notebook/bookentry.h.
#ifndef JOTWELL_APP_SETTINGKEYS_H
#define JOTWELL_APP_SETTINGKEYS_H

#include "app/settingstext.h"
#include "dialogs/placement.h"

struct DiarySettings;

// The hot key: on or off for the machine, its combination for each user.
const unsigned long HOTKEY_DEFAULT = 262263;  // Shift+F8
bool HotKeyOn();
void SetHotKeyOn(bool on);
unsigned long HotKeyCode();
void SetHotKeyCode(unsigned long key);

// The note last selected; SETTINGS_VALUE bytes.
void GetCurrentNote(char* name);
void SetCurrentNote(const char* name);

// How diary notes are made; a value not stored reads as its default.
void ReadDiarySettings(DiarySettings* settings);
void SetDiaryWeekPerView(bool week);
void SetDiaryNoteCount(bool week, int count);  // weeks or days ahead
void SetDiaryHours(int from, int to);

// Print Book: a page for each note, or none between them.
bool PrintNotePerPage();
void SetPrintNotePerPage(bool perPage);

// The main window's placement, in the screen's pixels.
bool MainWindowMaximized();
void SetMainWindowMaximized(bool maximized);
LRect MainWindowRect(const LRect& defaults);
void SetMainWindowRect(const LRect& r);

// Folders the setup made: the program's, the data folder and each book's.
// A null book names the data folder itself; out holds SETTINGS_VALUE bytes.
void SetProgramFilesSetting(const char* folder);
void GetDataFolderSetting(const char* book, char* out);
void SetDataFolderSetting(const char* book, const char* folder);

// What the setup recorded of each sample note it wrote (its size and
// fingerprint), keyed by "book\file"; SETTINGS_VALUE bytes.
void GetInstalledRecord(const char* file, char* out);
long SetInstalledRecord(const char* file, const char* text);
void DeleteInstalledRecord(const char* file);

// The bounds of the history store, at least 1 each.
int HistoryKeepDays();
int HistoryMaxMegabytes();

#endif

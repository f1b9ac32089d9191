#include "notebook/bookentry.h"

#include <stdio.h>
#include <string.h>

#include "app/settings.h"
#include "util/lfile.h"

namespace {
const char kBooks[] = "Books";
const char kDiaryType[] = "Diary";
}

void BookFolderValue(int position, char* name) { sprintf(name, "Book%d", position); }
void BookTypeValue(int position, char* name) { sprintf(name, "Book%dType", position); }
void BookReadOnlyValue(int position, char* name) { sprintf(name, "Book%dReadOnly", position); }

void GetCurrentBook(char* name) {
    SettingsGetString(kBooks, "Current", "", name);
}

void SetCurrentBook(const char* name) {
    SettingsSetString(kBooks, "Current", name);
}

int BookCount() {
    return SettingsGetInt(kBooks, "Count", 0);
}

void SetBookCount(int count) {
    SettingsSetInt(kBooks, "Count", count);
}

void GetBookFolder(int position, char* folder) {
    char name[32];
    BookFolderValue(position, name);
    SettingsGetString(kBooks, name, "", folder);
}

void SetBookFolder(int position, const char* folder) {
    char name[32];
    BookFolderValue(position, name);
    SettingsSetString(kBooks, name, folder);
}

bool BookIsDiary(int position) {
    char name[32], type[SETTINGS_VALUE];
    BookTypeValue(position, name);
    SettingsGetString(kBooks, name, "", type);
    return strcmp(type, kDiaryType) == 0;
}

void SetBookDiary(int position, bool diary) {
    char name[32];
    BookTypeValue(position, name);
    if (diary)
        SettingsSetString(kBooks, name, kDiaryType);
    else
        SettingsDeleteValue(kBooks, name);
}

bool BookIsReadOnly(int position) {
    char name[32];
    BookReadOnlyValue(position, name);
    return SettingsGetBool(kBooks, name, false);
}

void SetBookReadOnly(int position, bool readOnly) {
    char name[32];
    BookReadOnlyValue(position, name);
    SettingsSetBool(kBooks, name, readOnly);
}

void DeleteBookEntry(int position) {
    char name[32];
    BookFolderValue(position, name);
    SettingsDeleteValue(kBooks, name);
    BookTypeValue(position, name);
    SettingsDeleteValue(kBooks, name);
    BookReadOnlyValue(position, name);
    SettingsDeleteValue(kBooks, name);
}

void BookDisplayName(const char* folder, char* name) {
    LFile::_GetFileTitleFromPath(name, folder);
}

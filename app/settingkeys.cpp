#include "app/settingkeys.h"

#include "app/settings.h"
#include "features/diary.h"
#include "notebook/historyrules.h"

namespace {

const char kSettings[] = "Settings";
const char kMainWindow[] = "MainWindow";
const char kFolders[] = "Folders";
const char kInstalled[] = "Installed";
const char kHistory[] = "History";

const char kWeekPerView[] = "WeekPerView";
const char kNoOfWeeks[] = "NoOfWeeks";
const char kNoOfDays[] = "NoOfDays";
const char kHourFrom[] = "HourFrom";
const char kHourTo[] = "HourTo";

int AtLeastOne(int n) {
    return n < 1 ? 1 : n;
}

}  // namespace

bool HotKeyOn() {
    return SettingsGetBool(kSettings, "HotKeyOn", false);
}

void SetHotKeyOn(bool on) {
    SettingsSetBool(kSettings, "HotKeyOn", on);
}

unsigned long HotKeyCode() {
    return (unsigned long)UserSettingsGetInt(kSettings, "Hotkey", (int)HOTKEY_DEFAULT);
}

void SetHotKeyCode(unsigned long key) {
    UserSettingsSetInt(kSettings, "Hotkey", (int)key);
}

void GetCurrentNote(char* name) {
    SettingsGetString(kSettings, "CurrentNote", "", name);
}

void SetCurrentNote(const char* name) {
    SettingsSetString(kSettings, "CurrentNote", name);
}

void ReadDiarySettings(DiarySettings* s) {
    s->bWeekPerView = SettingsGetBool(kSettings, kWeekPerView, DIARY_DEFAULT_WEEK_PER_VIEW);
    s->iNoOfWeeks = SettingsGetInt(kSettings, kNoOfWeeks, DIARY_DEFAULT_NO_OF_WEEKS);
    s->iNoOfDays = SettingsGetInt(kSettings, kNoOfDays, DIARY_DEFAULT_NO_OF_DAYS);
    s->iHourFrom = SettingsGetInt(kSettings, kHourFrom, DIARY_DEFAULT_HOUR_FROM);
    s->iHourTo = SettingsGetInt(kSettings, kHourTo, DIARY_DEFAULT_HOUR_TO);
}

void SetDiaryWeekPerView(bool week) {
    SettingsSetBool(kSettings, kWeekPerView, week);
}

void SetDiaryNoteCount(bool week, int count) {
    SettingsSetInt(kSettings, week ? kNoOfWeeks : kNoOfDays, count);
}

void SetDiaryHours(int from, int to) {
    SettingsSetInt(kSettings, kHourFrom, from);
    SettingsSetInt(kSettings, kHourTo, to);
}

bool PrintNotePerPage() {
    return SettingsGetBool(kSettings, "PrintBookNotePerPage", true);
}

void SetPrintNotePerPage(bool perPage) {
    SettingsSetBool(kSettings, "PrintBookNotePerPage", perPage);
}

bool MainWindowMaximized() {
    return SettingsGetBool(kMainWindow, "Maximized", false);
}

void SetMainWindowMaximized(bool maximized) {
    SettingsSetBool(kMainWindow, "Maximized", maximized);
}

LRect MainWindowRect(const LRect& defaults) {
    int x = SettingsGetInt(kMainWindow, "X", defaults.left);
    int y = SettingsGetInt(kMainWindow, "Y", defaults.top);
    int width = SettingsGetInt(kMainWindow, "Width", defaults.right - defaults.left);
    int height = SettingsGetInt(kMainWindow, "Height", defaults.bottom - defaults.top);
    LRect r = {x, y, x + width, y + height};
    return r;
}

void SetMainWindowRect(const LRect& r) {
    SettingsSetInt(kMainWindow, "X", r.left);
    SettingsSetInt(kMainWindow, "Y", r.top);
    SettingsSetInt(kMainWindow, "Width", r.right - r.left);
    SettingsSetInt(kMainWindow, "Height", r.bottom - r.top);
}

void SetProgramFilesSetting(const char* folder) {
    SettingsSetString(kFolders, "ProgramFiles", folder);
}

void GetDataFolderSetting(const char* book, char* out) {
    SettingsGetString(kFolders, book ? book : "DataFiles", "", out);
}

void SetDataFolderSetting(const char* book, const char* folder) {
    SettingsSetString(kFolders, book ? book : "DataFiles", folder);
}

void GetInstalledRecord(const char* file, char* out) {
    SettingsGetString(kInstalled, file, "", out);
}

long SetInstalledRecord(const char* file, const char* text) {
    return SettingsSetString(kInstalled, file, text);
}

void DeleteInstalledRecord(const char* file) {
    SettingsDeleteValue(kInstalled, file);
}

int HistoryKeepDays() {
    return AtLeastOne(SettingsGetInt(kHistory, "KeepDays", HISTORY_DEFAULT_KEEP_DAYS));
}

int HistoryMaxMegabytes() {
    return AtLeastOne(SettingsGetInt(kHistory, "MaxMegabytes", HISTORY_DEFAULT_MAX_MEGABYTES));
}

// Diary note names, contents and generation, and the dialog's checks.
// Window-free: also compiled natively.
#include "features/diary.h"

#include <limits.h>
#include <stdio.h>
#include <string.h>

#include "notebook/notepath.h"
#include "util/lfile.h"

const char* const DIARY_DAY_NAMES[7] = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

const char* const DIARY_MONTH_NAMES[12] = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

namespace {

const time_t SECONDS_PER_DAY = 86400;
const int DAYS_PER_WEEK = 7;

// Room for a week note: seven headings of at most 31 characters, each with
// 24 slot lines of 10 and an empty line.
const size_t NOTE_TEXT = 2048;

int TwelveHour(int hour) {
    if (hour > 12)
        return hour - 12;
    return hour == 0 ? 12 : hour;
}

const char* AmPm(int hour) {
    return hour < 12 ? "am" : "pm";
}

// A note's text, built up line by line; never overruns.
struct NoteText {
    char sz[NOTE_TEXT];
    size_t iLen;
};

void Append(NoteText& t, const char* s) {
    while (*s && t.iLen < sizeof t.sz - 1)
        t.sz[t.iLen++] = *s++;
    t.sz[t.iLen] = '\0';
}

void AppendSlots(NoteText& t, int hourFrom, int hourTo) {
    char line[DIARY_HOUR_TEXT];
    for (int h = hourFrom; h <= hourTo; ++h) {
        DiaryHourSlot(h, line);
        Append(t, line);
    }
}

// Local date of the day that lies 'days' days from base. A year past what
// the names can print counts as a date that cannot be had.
bool LocalDate(time_t base, int days, struct tm* out) {
    time_t t = base + (time_t)days * SECONDS_PER_DAY;
    struct tm* p = localtime(&t);
    if (!p || p->tm_year > INT_MAX - 1900)
        return false;
    *out = *p;
    return true;
}

// Noon of the day of now. Whole days are counted from there, so that a day
// of 23 or 25 hours at a clock change can neither skip nor repeat a date.
time_t NoonOf(time_t now) {
    struct tm* p = localtime(&now);
    if (!p)
        return now;
    struct tm t = *p;
    t.tm_hour = 12;
    t.tm_min = 0;
    t.tm_sec = 0;
    t.tm_isdst = -1;
    time_t noon = mktime(&t);
    return noon == (time_t)-1 ? now : noon;
}

int Limit(int value, int low, int high) {
    return value < low ? low : (value > high ? high : value);
}

// The settings come from the registry, where anyone can edit them: hours off
// the clock are dropped and the counts kept to what the dialog allows, so a
// stray value can neither lengthen a note past a day nor flood the folder.
DiarySettings Sanitised(const DiarySettings& s) {
    DiarySettings r = s;
    r.iNoOfWeeks = Limit(s.iNoOfWeeks, 0, DIARY_MAX_WEEKS);
    r.iNoOfDays = Limit(s.iNoOfDays, 0, DIARY_MAX_DAYS);
    if (r.iHourFrom < 0)
        r.iHourFrom = 0;
    if (r.iHourTo > DIARY_HOURS - 1)
        r.iHourTo = DIARY_HOURS - 1;
    return r;
}

// Writes one week note unless it exists. False if a date failed; the note
// then holds the days done so far.
bool GenerateWeek(const char* folder, const DiarySettings& s, time_t base, int monday,
                  DiarySink& sink) {
    struct tm first, last;
    if (!LocalDate(base, monday, &first) || !LocalDate(base, monday + DAYS_PER_WEEK - 1, &last))
        return false;
    char name[LFILE_PATH], path[LFILE_PATH];
    DiaryWeekNoteName(first, last, name);
    if (!NotePath(folder, name, path))
        return false;  // a cut path would name a file never listed
    if (sink.Exists(path))
        return true;

    NoteText text = {{0}, 0};
    bool ok = true;
    for (int d = 0; d < DAYS_PER_WEEK && ok; ++d) {
        struct tm day;
        ok = LocalDate(base, monday + d, &day);
        if (!ok)
            break;
        char heading[LFILE_PATH];
        DiaryDayHeading(day, heading);
        Append(text, heading);
        AppendSlots(text, s.iHourFrom, s.iHourTo);
        Append(text, "\n");
    }
    sink.Write(path, text.sz, text.iLen);
    return ok;
}

bool GenerateWeeks(const char* folder, const DiarySettings& s, time_t base, DiarySink& sink) {
    if (s.iNoOfWeeks <= 0)
        return true;
    struct tm today;
    if (!LocalDate(base, 0, &today))
        return false;
    // Weeks run Monday to Sunday; on a Sunday the current week began six
    // days ago.
    int monday = today.tm_wday == 0 ? -6 : 1 - today.tm_wday;
    for (int w = 0; w < s.iNoOfWeeks; ++w)
        if (!GenerateWeek(folder, s, base, monday + DAYS_PER_WEEK * w, sink))
            return false;
    return true;
}

bool GenerateDays(const char* folder, const DiarySettings& s, time_t base, DiarySink& sink) {
    for (int i = 0; i < s.iNoOfDays; ++i) {
        struct tm day;
        if (!LocalDate(base, i, &day))
            return false;
        char name[LFILE_PATH], path[LFILE_PATH];
        DiaryDayNoteName(day, name);
        if (!NotePath(folder, name, path))
            return false;  // a cut path would name a file never listed
        if (sink.Exists(path))
            continue;
        NoteText text = {{0}, 0};
        AppendSlots(text, s.iHourFrom, s.iHourTo);
        sink.Write(path, text.sz, text.iLen);
    }
    return true;
}

}  // namespace

void DiaryHourLabel(int hour, char* out) {
    snprintf(out, DIARY_HOUR_TEXT, "%d:00%s", TwelveHour(hour), AmPm(hour));
}

void DiaryHourSlot(int hour, char* out) {
    snprintf(out, DIARY_HOUR_TEXT, "%.2d.00%s: \n", TwelveHour(hour), AmPm(hour));
}

void DiaryWeekNoteName(const struct tm& monday, const struct tm& sunday, char* out) {
    snprintf(out, LFILE_PATH, "%d-%.2d-%.2d - %d-%.2d-%.2d",
             monday.tm_year + 1900, monday.tm_mon + 1, monday.tm_mday,
             sunday.tm_year + 1900, sunday.tm_mon + 1, sunday.tm_mday);
}

void DiaryDayNoteName(const struct tm& day, char* out) {
    snprintf(out, LFILE_PATH, "%d-%.2d-%.2d %s %.2d %s",
             day.tm_year + 1900, day.tm_mon + 1, day.tm_mday,
             DIARY_DAY_NAMES[day.tm_wday], day.tm_mday, DIARY_MONTH_NAMES[day.tm_mon]);
}

void DiaryDayHeading(const struct tm& day, char* out) {
    snprintf(out, LFILE_PATH, "%s, %.2d %s %d\n\n",
             DIARY_DAY_NAMES[day.tm_wday], day.tm_mday, DIARY_MONTH_NAMES[day.tm_mon],
             day.tm_year + 1900);
}

bool GenerateDiary(const char* folder, const DiarySettings& s, time_t now, DiarySink& sink) {
    DiarySettings safe = Sanitised(s);
    time_t base = NoonOf(now);
    if (safe.bWeekPerView)
        return GenerateWeeks(folder, safe, base, sink);
    return GenerateDays(folder, safe, base, sink);
}

DiaryInputError DiaryCheckNumber(bool weekMode, int number) {
    if (weekMode && number > DIARY_MAX_WEEKS)
        return DIARY_TOO_MANY_WEEKS;
    if (!weekMode && number > DIARY_MAX_DAYS)
        return DIARY_TOO_MANY_DAYS;
    return DIARY_INPUT_OK;
}

DiaryInputError DiaryCheckHours(int hourFrom, int hourTo) {
    return hourTo < hourFrom ? DIARY_END_BEFORE_START : DIARY_INPUT_OK;
}

DiaryInputError DiaryValidate(bool weekMode, int number, int hourFrom, int hourTo) {
    DiaryInputError e = DiaryCheckNumber(weekMode, number);
    return e != DIARY_INPUT_OK ? e : DiaryCheckHours(hourFrom, hourTo);
}

const char* DiaryInputMessage(DiaryInputError e) {
    switch (e) {
    case DIARY_TOO_MANY_WEEKS: return DIARY_MSG_TOO_MANY_WEEKS;
    case DIARY_TOO_MANY_DAYS: return DIARY_MSG_TOO_MANY_DAYS;
    case DIARY_END_BEFORE_START: return DIARY_MSG_END_BEFORE_START;
    default: return 0;
    }
}

const char* DiaryInputCaption(DiaryInputError e) {
    switch (e) {
    case DIARY_TOO_MANY_WEEKS: return DIARY_CAPTION_TOO_MANY_WEEKS;
    case DIARY_TOO_MANY_DAYS: return DIARY_CAPTION_TOO_MANY_DAYS;
    case DIARY_END_BEFORE_START: return DIARY_CAPTION_END_BEFORE_START;
    default: return 0;
    }
}

// Diary notes: the settings that shape them, the names and contents of week
// and day notes, their generation into a book folder, and the checks of the
// Diary Properties dialog. Window-free: the caller supplies file access
// through a DiarySink and reads and writes the settings itself.
#ifndef JOTWELL_FEATURES_DIARY_H
#define JOTWELL_FEATURES_DIARY_H

#include <stddef.h>
#include <time.h>

struct DiarySettings {
    bool bWeekPerView;  // one note per week (true) or per day (false)
    int iNoOfWeeks;     // week notes from the current week on
    int iNoOfDays;      // day notes from today on
    int iHourFrom;      // first hour slot, 0 to 23
    int iHourTo;        // last hour slot, inclusive
};

// The diary settings' defaults.
const bool DIARY_DEFAULT_WEEK_PER_VIEW = true;
const int DIARY_DEFAULT_NO_OF_WEEKS = 1;
const int DIARY_DEFAULT_NO_OF_DAYS = 365;
const int DIARY_DEFAULT_HOUR_FROM = 9;
const int DIARY_DEFAULT_HOUR_TO = 17;

const DiarySettings DIARY_DEFAULT_SETTINGS = {
    DIARY_DEFAULT_WEEK_PER_VIEW, DIARY_DEFAULT_NO_OF_WEEKS, DIARY_DEFAULT_NO_OF_DAYS,
    DIARY_DEFAULT_HOUR_FROM, DIARY_DEFAULT_HOUR_TO};

// Largest numbers the dialog accepts.
const int DIARY_MAX_WEEKS = 52;
const int DIARY_MAX_DAYS = 365;

// Hours of the day: the entries of the From and To lists.
const int DIARY_HOURS = 24;

// Fixed English names, whatever the system locale: days with Sunday as 0,
// three-letter months with January as 0.
extern const char* const DIARY_DAY_NAMES[7];
extern const char* const DIARY_MONTH_NAMES[12];

// Texts of the number label, by mode.
const char* const DIARY_LABEL_WEEKS = "No. of weeks from this week:";
const char* const DIARY_LABEL_DAYS = "No. of days from today:";

// Buffer size for one hour label or one hour slot line.
const int DIARY_HOUR_TEXT = 24;

// List label of an hour: "12:00am", "1:00am" ... "11:00pm". out holds
// DIARY_HOUR_TEXT bytes.
void DiaryHourLabel(int hour, char* out);

// Slot line of an hour in a note: "09.00am: " and a line feed. out holds
// DIARY_HOUR_TEXT bytes.
void DiaryHourSlot(int hour, char* out);

// Note names (without ".txt") and the day heading of a week note; out holds
// 260 bytes.
void DiaryWeekNoteName(const struct tm& monday, const struct tm& sunday, char* out);
void DiaryDayNoteName(const struct tm& day, char* out);
void DiaryDayHeading(const struct tm& day, char* out);

// File access of the generator.
class DiarySink {
public:
    // True if a file (of any kind) exists at path.
    virtual bool Exists(const char* path) = 0;
    // Creates the file at path with exactly these bytes. False if it could
    // not be created; the generator then goes on with the next note.
    virtual bool Write(const char* path, const char* data, size_t size) = 0;

protected:
    ~DiarySink() {}
};

// Writes the missing week or day notes, counted from the date of now, into
// folder. Existing notes are left alone. Counts are kept to 0 .. the dialog's
// maximum and hours to 0 .. 23. False if a date could not be converted to
// local time; generation stopped there.
bool GenerateDiary(const char* folder, const DiarySettings& s, time_t now, DiarySink& sink);

// Checks of the Diary Properties dialog. The dialog saves as it goes, so it
// checks and saves the number before it checks the hours.
enum DiaryInputError {
    DIARY_INPUT_OK,
    DIARY_TOO_MANY_WEEKS,
    DIARY_TOO_MANY_DAYS,
    DIARY_END_BEFORE_START
};

DiaryInputError DiaryCheckNumber(bool weekMode, int number);
DiaryInputError DiaryCheckHours(int hourFrom, int hourTo);
// Both checks, the number first.
DiaryInputError DiaryValidate(bool weekMode, int number, int hourFrom, int hourTo);

const char* const DIARY_MSG_TOO_MANY_WEEKS = "Number of weeks must be less than or equal to 52.";
const char* const DIARY_CAPTION_TOO_MANY_WEEKS = "Invalid number of weeks";
const char* const DIARY_MSG_TOO_MANY_DAYS = "Number of days must be less than or equal to 365.";
const char* const DIARY_CAPTION_TOO_MANY_DAYS = "Invalid number of days";
const char* const DIARY_MSG_END_BEFORE_START = "The end time must be later than the start time.";
const char* const DIARY_CAPTION_END_BEFORE_START = "Invalid input";

// Message and caption of an error; null for DIARY_INPUT_OK.
const char* DiaryInputMessage(DiaryInputError e);
const char* DiaryInputCaption(DiaryInputError e);

#endif

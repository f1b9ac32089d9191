// Diary note names, contents, generation and the dialog's checks.
#include "features/diary.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

namespace {

const char* const kFolder = "C:\\Books\\Diary";

// The nine slot lines of the default hours.
const char* const kNineSlots =
    "09.00am: \n10.00am: \n11.00am: \n12.00pm: \n01.00pm: \n"
    "02.00pm: \n03.00pm: \n04.00pm: \n05.00pm: \n";

class FakeSink : public DiarySink {
public:
    std::map<std::string, std::string> files;
    int iWrites = 0;

    bool Exists(const char* path) override { return files.count(path) != 0; }
    bool Write(const char* path, const char* data, size_t size) override {
        ++iWrites;
        files[path] = std::string(data, size);
        return true;
    }
};

std::string PathOf(const char* name) {
    return std::string(kFolder) + "\\" + name + ".txt";
}

// Runs the tests in a fixed time zone and puts the caller's back afterwards.
class DiaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* tz = getenv("TZ");
        bHadTz = tz != 0;
        if (tz)
            savedTz = tz;
        UseZone("UTC");
    }
    void TearDown() override {
        if (bHadTz)
            setenv("TZ", savedTz.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

    static void UseZone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }

    // Local time of a calendar date and time of day in the current zone.
    static time_t At(int year, int month, int day, int hour = 10, int minute = 0) {
        struct tm t;
        memset(&t, 0, sizeof t);
        t.tm_year = year - 1900;
        t.tm_mon = month - 1;
        t.tm_mday = day;
        t.tm_hour = hour;
        t.tm_min = minute;
        t.tm_isdst = -1;
        return mktime(&t);
    }

    static DiarySettings Weeks(int n, int from = 9, int to = 17) {
        DiarySettings s = {true, n, 365, from, to};
        return s;
    }
    static DiarySettings Days(int n, int from = 9, int to = 17) {
        DiarySettings s = {false, 1, n, from, to};
        return s;
    }

    static std::vector<std::string> Names(const FakeSink& sink) {
        std::vector<std::string> names;
        for (const auto& f : sink.files)
            names.push_back(f.first.substr(strlen(kFolder) + 1));
        return names;
    }

private:
    bool bHadTz = false;
    std::string savedTz;
};

TEST(DiaryHourText, LabelsAndSlotLinesUseTheTwelveHourClock) {
    struct Case {
        int hour;
        const char* label;
        const char* slot;
    } cases[] = {
        {0, "12:00am", "12.00am: \n"}, {1, "1:00am", "01.00am: \n"},
        {9, "9:00am", "09.00am: \n"},  {11, "11:00am", "11.00am: \n"},
        {12, "12:00pm", "12.00pm: \n"}, {13, "1:00pm", "01.00pm: \n"},
        {17, "5:00pm", "05.00pm: \n"},  {23, "11:00pm", "11.00pm: \n"},
    };
    for (const Case& c : cases) {
        char label[DIARY_HOUR_TEXT], slot[DIARY_HOUR_TEXT];
        DiaryHourLabel(c.hour, label);
        DiaryHourSlot(c.hour, slot);
        EXPECT_STREQ(label, c.label) << c.hour;
        EXPECT_STREQ(slot, c.slot) << c.hour;
    }
}

TEST_F(DiaryTest, DefaultWeekIsOneFileWithSevenDaysOfNineSlots) {
    FakeSink sink;
    EXPECT_TRUE(GenerateDiary(kFolder, DIARY_DEFAULT_SETTINGS, At(2009, 2, 11), sink));

    const char* headings[] = {
        "Monday, 09 Feb 2009\n\n",   "Tuesday, 10 Feb 2009\n\n", "Wednesday, 11 Feb 2009\n\n",
        "Thursday, 12 Feb 2009\n\n", "Friday, 13 Feb 2009\n\n",  "Saturday, 14 Feb 2009\n\n",
        "Sunday, 15 Feb 2009\n\n"};
    std::string expected;
    for (const char* h : headings)
        expected += std::string(h) + kNineSlots + "\n";

    ASSERT_EQ(sink.files.size(), 1u);
    EXPECT_EQ(sink.files.begin()->first, PathOf("2009-02-09 - 2009-02-15"));
    EXPECT_EQ(sink.files.begin()->second, expected);
}

TEST_F(DiaryTest, WeekStartsOnTheMondayOfTheCurrentWeek) {
    struct Case {
        int day;  // of February 2009; the 8th and 15th are Sundays
        const char* first;
    } cases[] = {
        {15, "2009-02-09 - 2009-02-15"},  // Sunday: six days back
        {9, "2009-02-09 - 2009-02-15"},   // Monday: today
        {14, "2009-02-09 - 2009-02-15"},  // Saturday
        {16, "2009-02-16 - 2009-02-22"},  // the next Monday
        {8, "2009-02-02 - 2009-02-08"},   // Sunday at the end of a week
    };
    for (const Case& c : cases) {
        FakeSink sink;
        EXPECT_TRUE(GenerateDiary(kFolder, Weeks(1), At(2009, 2, c.day), sink));
        ASSERT_EQ(Names(sink).size(), 1u) << c.day;
        EXPECT_EQ(Names(sink)[0], std::string(c.first) + ".txt") << c.day;
    }
}

TEST_F(DiaryTest, WeeksAcrossAYearEndCarryTheYearOfEachEnd) {
    FakeSink sink;
    EXPECT_TRUE(GenerateDiary(kFolder, Weeks(3), At(2009, 12, 30), sink));
    std::vector<std::string> expected = {"2009-12-28 - 2010-01-03.txt",
                                         "2010-01-04 - 2010-01-10.txt",
                                         "2010-01-11 - 2010-01-17.txt"};
    EXPECT_EQ(Names(sink), expected);
    const std::string& week = sink.files[PathOf("2009-12-28 - 2010-01-03")];
    EXPECT_NE(week.find("Thursday, 31 Dec 2009\n\n09.00am: \n"), std::string::npos);
    EXPECT_NE(week.find("\n\nFriday, 01 Jan 2010\n\n09.00am: \n"), std::string::npos);
}

TEST_F(DiaryTest, FiftyTwoWeeksCoverAYearOfConsecutiveWeeks) {
    FakeSink sink;
    EXPECT_TRUE(GenerateDiary(kFolder, Weeks(52), At(2009, 2, 11), sink));
    std::vector<std::string> names = Names(sink);
    ASSERT_EQ(names.size(), 52u);
    EXPECT_EQ(names.front(), "2009-02-09 - 2009-02-15.txt");
    EXPECT_EQ(names.back(), "2010-02-01 - 2010-02-07.txt");
}

TEST_F(DiaryTest, DefaultDaysAreAYearOfFilesWithNineSlots) {
    FakeSink sink;
    EXPECT_TRUE(GenerateDiary(kFolder, Days(365), At(2012, 2, 5), sink));
    ASSERT_EQ(sink.files.size(), 365u);
    std::vector<std::string> names = Names(sink);
    EXPECT_EQ(names.front(), "2012-02-05 Sunday 05 Feb.txt");
    EXPECT_EQ(names.back(), "2013-02-03 Sunday 03 Feb.txt");
    EXPECT_EQ(sink.files.count(PathOf("2012-02-29 Wednesday 29 Feb")), 1u);
    EXPECT_EQ(sink.files.count(PathOf("2012-12-31 Monday 31 Dec")), 1u);
    for (const auto& f : sink.files)
        ASSERT_EQ(f.second, kNineSlots) << f.first;
}

TEST_F(DiaryTest, HourRangeDecidesTheSlotLines) {
    FakeSink sink;
    EXPECT_TRUE(GenerateDiary(kFolder, Days(1, 0, 23), At(2009, 2, 8), sink));
    EXPECT_EQ(sink.files[PathOf("2009-02-08 Sunday 08 Feb")],
              "12.00am: \n01.00am: \n02.00am: \n03.00am: \n04.00am: \n05.00am: \n"
              "06.00am: \n07.00am: \n08.00am: \n09.00am: \n10.00am: \n11.00am: \n"
              "12.00pm: \n01.00pm: \n02.00pm: \n03.00pm: \n04.00pm: \n05.00pm: \n"
              "06.00pm: \n07.00pm: \n08.00pm: \n09.00pm: \n10.00pm: \n11.00pm: \n");

    FakeSink noon;
    EXPECT_TRUE(GenerateDiary(kFolder, Weeks(1, 12, 12), At(2009, 2, 8), noon));
    const std::string& week = noon.files[PathOf("2009-02-02 - 2009-02-08")];
    EXPECT_EQ(week,
              "Monday, 02 Feb 2009\n\n12.00pm: \n\n"
              "Tuesday, 03 Feb 2009\n\n12.00pm: \n\n"
              "Wednesday, 04 Feb 2009\n\n12.00pm: \n\n"
              "Thursday, 05 Feb 2009\n\n12.00pm: \n\n"
              "Friday, 06 Feb 2009\n\n12.00pm: \n\n"
              "Saturday, 07 Feb 2009\n\n12.00pm: \n\n"
              "Sunday, 08 Feb 2009\n\n12.00pm: \n\n");
}

TEST_F(DiaryTest, HoursOffTheClockAreDropped) {
    FakeSink sink;
    EXPECT_TRUE(GenerateDiary(kFolder, Days(1, -5, 40), At(2009, 2, 8), sink));
    const std::string& day = sink.files[PathOf("2009-02-08 Sunday 08 Feb")];
    EXPECT_EQ(day.size(), 24u * 10u);
    EXPECT_EQ(day.substr(0, 10), "12.00am: \n");
    EXPECT_EQ(day.substr(day.size() - 10), "11.00pm: \n");
}

TEST_F(DiaryTest, ASecondRunCreatesOnlyMissingFiles) {
    FakeSink sink;
    const std::string edited = PathOf("2009-02-10 Tuesday 10 Feb");
    sink.files[edited] = "09.00am: dentist\n";

    EXPECT_TRUE(GenerateDiary(kFolder, Days(3), At(2009, 2, 9), sink));
    EXPECT_EQ(sink.files.size(), 3u);
    EXPECT_EQ(sink.iWrites, 2);
    EXPECT_EQ(sink.files[edited], "09.00am: dentist\n");

    EXPECT_TRUE(GenerateDiary(kFolder, Days(5), At(2009, 2, 9), sink));
    EXPECT_EQ(sink.files.size(), 5u);
    EXPECT_EQ(sink.iWrites, 4);

    const std::string week = PathOf("2009-02-09 - 2009-02-15");
    sink.files[week] = "mine";
    EXPECT_TRUE(GenerateDiary(kFolder, Weeks(2), At(2009, 2, 9), sink));
    EXPECT_EQ(sink.files[week], "mine");
    EXPECT_EQ(sink.iWrites, 5);
}

TEST_F(DiaryTest, NoWeeksOrDaysCreateNothing) {
    int counts[] = {0, -3};
    for (int n : counts) {
        FakeSink sink;
        EXPECT_TRUE(GenerateDiary(kFolder, Weeks(n), At(2009, 2, 9), sink));
        EXPECT_TRUE(GenerateDiary(kFolder, Days(n), At(2009, 2, 9), sink));
        EXPECT_EQ(sink.iWrites, 0);
    }
}

TEST_F(DiaryTest, CountsAboveTheDialogsLimitAreCut) {
    FakeSink sink;
    EXPECT_TRUE(GenerateDiary(kFolder, Weeks(1000), At(2009, 2, 9), sink));
    EXPECT_EQ(sink.files.size(), 52u);
    FakeSink days;
    EXPECT_TRUE(GenerateDiary(kFolder, Days(100000), At(2009, 2, 9), days));
    EXPECT_EQ(days.files.size(), 365u);
}

TEST_F(DiaryTest, DaysStayConsecutiveAcrossClockChanges) {
    if (access("/usr/share/zoneinfo/Europe/Berlin", R_OK) != 0)
        GTEST_SKIP() << "no zone data for Europe/Berlin";
    UseZone("Europe/Berlin");
    struct tm summer;
    time_t july = At(2009, 7, 1);
    if (!localtime_r(&july, &summer) || summer.tm_isdst <= 0)
        GTEST_SKIP() << "Europe/Berlin has no summer time here";

    // Late on the evening before clocks go forward: Sunday has 23 hours.
    FakeSink spring;
    EXPECT_TRUE(GenerateDiary(kFolder, Days(3), At(2009, 3, 28, 23, 30), spring));
    std::vector<std::string> springNames = {"2009-03-28 Saturday 28 Mar.txt",
                                            "2009-03-29 Sunday 29 Mar.txt",
                                            "2009-03-30 Monday 30 Mar.txt"};
    EXPECT_EQ(Names(spring), springNames);

    // Just after midnight on the day clocks go back: Sunday has 25 hours.
    FakeSink autumn;
    EXPECT_TRUE(GenerateDiary(kFolder, Days(3), At(2009, 10, 25, 0, 30), autumn));
    std::vector<std::string> autumnNames = {"2009-10-25 Sunday 25 Oct.txt",
                                            "2009-10-26 Monday 26 Oct.txt",
                                            "2009-10-27 Tuesday 27 Oct.txt"};
    EXPECT_EQ(Names(autumn), autumnNames);

    // A week that holds the spring change, begun late on its Monday.
    FakeSink week;
    EXPECT_TRUE(GenerateDiary(kFolder, Weeks(2), At(2009, 3, 23, 23, 30), week));
    std::vector<std::string> weekNames = {"2009-03-23 - 2009-03-29.txt",
                                          "2009-03-30 - 2009-04-05.txt"};
    EXPECT_EQ(Names(week), weekNames);
    EXPECT_NE(week.files[PathOf("2009-03-23 - 2009-03-29")].find("Sunday, 29 Mar 2009"),
              std::string::npos);
}

TEST_F(DiaryTest, StopsWhenTheLocalDateCannotBeHad) {
    if (sizeof(time_t) < 8)
        GTEST_SKIP() << "32-bit time_t";
    const time_t unreachable = (time_t)0x7fffffffffffffffLL;
    FakeSink none;
    EXPECT_FALSE(GenerateDiary(kFolder, Weeks(1), unreachable, none));
    EXPECT_FALSE(GenerateDiary(kFolder, Days(1), unreachable, none));
    EXPECT_EQ(none.iWrites, 0);

    // The last moment for which a one-day diary can be made; from two days
    // before it, a five-day run makes three notes and then stops.
    time_t good = 0, bad = unreachable / 2;
    while (bad - good > 1) {
        time_t mid = good + (bad - good) / 2;
        FakeSink probe;
        (GenerateDiary(kFolder, Days(1), mid, probe) ? good : bad) = mid;
    }
    FakeSink sink;
    EXPECT_FALSE(GenerateDiary(kFolder, Days(5), good - 2 * 86400, sink));
    EXPECT_EQ(sink.files.size(), 3u);
}

TEST(DiaryValidate, LimitsTheNumberOfTheCurrentMode) {
    EXPECT_EQ(DiaryValidate(true, 53, 9, 17), DIARY_TOO_MANY_WEEKS);
    EXPECT_EQ(DiaryValidate(true, 52, 9, 17), DIARY_INPUT_OK);
    EXPECT_EQ(DiaryValidate(true, 0, 9, 17), DIARY_INPUT_OK);
    EXPECT_EQ(DiaryValidate(true, -4, 9, 17), DIARY_INPUT_OK);
    EXPECT_EQ(DiaryValidate(false, 366, 9, 17), DIARY_TOO_MANY_DAYS);
    EXPECT_EQ(DiaryValidate(false, 365, 9, 17), DIARY_INPUT_OK);
    EXPECT_EQ(DiaryValidate(false, 100, 9, 17), DIARY_INPUT_OK);
    EXPECT_EQ(DiaryValidate(false, 0, 9, 17), DIARY_INPUT_OK);
}

TEST(DiaryValidate, EndHourMayEqualButNotPrecedeTheStart) {
    EXPECT_EQ(DiaryValidate(true, 1, 17, 9), DIARY_END_BEFORE_START);
    EXPECT_EQ(DiaryValidate(true, 1, 12, 12), DIARY_INPUT_OK);
    EXPECT_EQ(DiaryValidate(false, 1, 0, 23), DIARY_INPUT_OK);
    // The number is checked (and saved) before the hours.
    EXPECT_EQ(DiaryValidate(true, 60, 17, 9), DIARY_TOO_MANY_WEEKS);
    EXPECT_EQ(DiaryCheckNumber(true, 60), DIARY_TOO_MANY_WEEKS);
    EXPECT_EQ(DiaryCheckHours(17, 9), DIARY_END_BEFORE_START);
}

TEST(DiaryValidate, EachErrorHasItsMessageAndCaption) {
    EXPECT_STREQ(DiaryInputMessage(DIARY_TOO_MANY_WEEKS),
                 "Number of weeks must be less than or equal to 52.");
    EXPECT_STREQ(DiaryInputCaption(DIARY_TOO_MANY_WEEKS), "Invalid number of weeks");
    EXPECT_STREQ(DiaryInputMessage(DIARY_TOO_MANY_DAYS),
                 "Number of days must be less than or equal to 365.");
    EXPECT_STREQ(DiaryInputCaption(DIARY_TOO_MANY_DAYS), "Invalid number of days");
    EXPECT_STREQ(DiaryInputMessage(DIARY_END_BEFORE_START),
                 "The end time must be later than the start time.");
    EXPECT_STREQ(DiaryInputCaption(DIARY_END_BEFORE_START), "Invalid input");
    EXPECT_EQ(DiaryInputMessage(DIARY_INPUT_OK), nullptr);
    EXPECT_EQ(DiaryInputCaption(DIARY_INPUT_OK), nullptr);
}

}  // namespace

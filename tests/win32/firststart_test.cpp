// The first start: default books and the diary question.
#include "tests/win32/mainfixture.h"

#include <time.h>

#include "app/settings.h"
#include "features/diary.h"
#include "resources/resource.h"

namespace {

class FirstStart : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // Where an installation would have put the default books.
        for (const char* name : {"PhoneBook", "Useful Web Links", "Other Notes", "Diary"})
            SettingsSetString("Folders", name, Book(name).c_str());
    }
    void ExpectThreeBooks() {
        EXPECT_EQ(SettingsGetInt("Books", "Count", 0), 3);
        char value[SETTINGS_VALUE];
        SettingsGetString("Books", "Book4", "none", value);
        EXPECT_STREQ(value, "none");
        EXPECT_EQ(SendMessageA(dialog->BookList(), CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(BookListText(), "Other Notes") << "first in alphabetical order";
        EXPECT_EQ(dialog->GetCurrentBookIndex(), 2);
    }
};

const char kQuestion[] =
    "Do you want to create a diary as one of the Jotwell Books?\r\n\r\nIf in doubt click Yes "
    "now to create a diary. You can remove it later if you do not need it.";

TEST_F(FirstStart, NoToTheDiaryGivesThreeBooks) {
    responder.Expect("Create Diary", IDNO);
    Open();
    ExpectThreeBooks();
    std::vector<testkit::SeenDialog> seen = responder.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, kQuestion);
    char folder[SETTINGS_VALUE];
    SettingsGetString("Books", "Book1", "", folder);
    EXPECT_EQ(std::string(folder), Book("PhoneBook"));
}

TEST_F(FirstStart, CancelToTheDiaryGivesThreeBooks) {
    responder.Expect("Create Diary", IDCANCEL);
    Open();
    ExpectThreeBooks();
}

TEST_F(FirstStart, YesThenCancelInDiaryPropertiesGivesThreeBooks) {
    responder.Expect("Create Diary", IDYES);
    responder.Expect("Diary Properties", IDCANCEL);
    Open();
    ExpectThreeBooks();
}

TEST_F(FirstStart, YesThenOkCreatesTheDiaryWithThisWeeksNote) {
    responder.Expect("Create Diary", IDYES);
    responder.Expect("Diary Properties", IDOK);
    Open();
    EXPECT_EQ(SettingsGetInt("Books", "Count", 0), 4);
    char type[SETTINGS_VALUE];
    SettingsGetString("Books", "Book4Type", "", type);
    EXPECT_STREQ(type, "Diary");
    EXPECT_EQ(BookListText(), "Diary");

    // The note of the current week, named and written as the diary rules say.
    // Counted in calendar days, not in 86400 s, which miss a day across a
    // change of the clocks.
    time_t now = time(NULL);
    struct tm monday = *localtime(&now);
    monday.tm_mday -= monday.tm_wday == 0 ? 6 : monday.tm_wday - 1;
    monday.tm_hour = 12;
    monday.tm_min = monday.tm_sec = 0;
    monday.tm_isdst = -1;
    mktime(&monday);
    struct tm sunday = monday;
    sunday.tm_mday += 6;
    sunday.tm_isdst = -1;
    mktime(&sunday);
    char name[LFILE_PATH];
    DiaryWeekNoteName(monday, sunday, name);
    ASSERT_EQ(ListedNotes(), std::vector<std::string>{name});
    std::string text = testkit::ReadFileText(Note("Diary", name));
    char heading[LFILE_PATH];
    DiaryDayHeading(monday, heading);
    EXPECT_EQ(text.substr(0, strlen(heading)), heading);
    EXPECT_EQ(text.find('\r'), std::string::npos) << "diary notes use bare line feeds";
    EXPECT_NE(text.find("09.00am: \n10.00am: "), std::string::npos);
    EXPECT_NE(text.find("05.00pm: \n\nTuesday, "), std::string::npos);
}

}  // namespace

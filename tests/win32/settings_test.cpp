// The settings store against the real registry.
#include <gtest/gtest.h>

#include <string>

#include "app/settings.h"
#include "tests/win32/testkit.h"

namespace {

const char kSettingsKey[] = "Software\\Korvane\\Jotwell\\Settings";

class SettingsStore : public testing::Test {
protected:
    void SetUp() override { testkit::ResetSettings(); }
    void TearDown() override { testkit::ResetSettings(); }
};

TEST_F(SettingsStore, IntegersAndBooleansReadAsTheTextRulesSay) {
    SettingsSetString("Settings", "A", "abc");
    SettingsSetString("Settings", "B", "  42xyz");
    SettingsSetString("Settings", "C", "-5");
    SettingsSetString("Settings", "D", "");
    EXPECT_EQ(SettingsGetInt("Settings", "A", 7), 0);
    EXPECT_EQ(SettingsGetInt("Settings", "B", 7), 42);
    EXPECT_EQ(SettingsGetInt("Settings", "C", 7), -5);
    EXPECT_EQ(SettingsGetInt("Settings", "D", 7), 7);
    SettingsSetString("Settings", "E", "false");
    SettingsSetString("Settings", "F", "0 or so");
    EXPECT_TRUE(SettingsGetBool("Settings", "E", false));
    EXPECT_FALSE(SettingsGetBool("Settings", "F", true));
    EXPECT_TRUE(SettingsGetBool("Settings", "D", true));
}

TEST_F(SettingsStore, WritesPlainStrings) {
    SettingsSetBool("Settings", "On", true);
    SettingsSetBool("Settings", "Off", false);
    SettingsSetInt("Settings", "Number", -1234);
    EXPECT_EQ(testkit::RegString(HKEY_LOCAL_MACHINE, kSettingsKey, "On"), "1");
    EXPECT_EQ(testkit::RegString(HKEY_LOCAL_MACHINE, kSettingsKey, "Off"), "0");
    EXPECT_EQ(testkit::RegString(HKEY_LOCAL_MACHINE, kSettingsKey, "Number"), "-1234");
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    RegQueryValueExA(key, "Number", NULL, &type, NULL, &size);
    RegCloseKey(key);
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_EQ(size, 6u) << "the terminating zero is stored";
}

TEST_F(SettingsStore, LongValuesReadWholeOrAsTheDefault) {
    std::string fits(259, 'x');
    std::string tooLong(260, 'y');
    SettingsSetString("Settings", "Fits", fits.c_str());
    SettingsSetString("Settings", "TooLong", tooLong.c_str());
    char out[SETTINGS_VALUE];
    SettingsGetString("Settings", "Fits", "def", out);
    EXPECT_EQ(std::string(out), fits);
    SettingsGetString("Settings", "TooLong", "def", out);
    EXPECT_STREQ(out, "def");
}

TEST_F(SettingsStore, ReadingNeverCreatesAKey) {
    char out[SETTINGS_VALUE];
    SettingsGetString("Books", "Count", "dflt", out);
    EXPECT_STREQ(out, "dflt");
    EXPECT_EQ(SettingsGetInt("Books", "Count", 0), 0);
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Korvane\\Jotwell\\Books", 0,
                            KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    SettingsSetInt("Books", "Count", 3);
    EXPECT_EQ(SettingsGetInt("Books", "Count", 0), 3);
}

TEST_F(SettingsStore, DeletingIsHarmlessWhenNothingIsThere) {
    SettingsDeleteValue("Nowhere", "Nothing");
    SettingsSetString("Settings", "X", "1");
    SettingsDeleteValue("Settings", "Missing");
    SettingsDeleteValue("Settings", "X");
    EXPECT_FALSE(testkit::RegValueExists(HKEY_LOCAL_MACHINE, kSettingsKey, "X"));
}

TEST_F(SettingsStore, AValueThatCannotBeStoredIsReported) {
    std::string tooLongName(20000, 'n');
    EXPECT_NE(SettingsSetString("Settings", tooLongName.c_str(), "x"), ERROR_SUCCESS);
    EXPECT_EQ(SettingsSetString("Settings", "Y", "x"), ERROR_SUCCESS);
}

TEST_F(SettingsStore, AValueOfAnotherTypeReadsAsItsBytes) {
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    DWORD digits = '4' | ('2' << 8);  // "42" followed by zero bytes
    RegSetValueExA(key, "Raw", 0, REG_DWORD, (const BYTE*)&digits, sizeof digits);
    RegCloseKey(key);
    EXPECT_EQ(SettingsGetInt("Settings", "Raw", 0), 42);
}

}  // namespace

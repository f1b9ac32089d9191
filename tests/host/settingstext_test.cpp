// Settings value text rules.
#include "app/settingstext.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsTextToInt, ConvertsAsTheCLibraryDoes) {
    EXPECT_EQ(SettingsTextToInt("abc", 7), 0);
    EXPECT_EQ(SettingsTextToInt("  42xyz", 7), 42);
    EXPECT_EQ(SettingsTextToInt("-5", 7), -5);
    EXPECT_EQ(SettingsTextToInt("+12", 7), 12);
    EXPECT_EQ(SettingsTextToInt("\t\n 3", 7), 3);
    EXPECT_EQ(SettingsTextToInt("- 3", 7), 0);
    EXPECT_EQ(SettingsTextToInt("262263", 0), 262263);
}

TEST(SettingsTextToInt, EmptyTextGivesTheDefault) {
    EXPECT_EQ(SettingsTextToInt("", 160), 160);
    EXPECT_EQ(SettingsTextToInt("", -1), -1);
}

TEST(SettingsTextToInt, OverflowWrapsWithoutACheck) {
    EXPECT_EQ(SettingsTextToInt("2147483647", 0), 2147483647);
    EXPECT_EQ(SettingsTextToInt("-2147483648", 0), (int)0x80000000u);
    EXPECT_EQ(SettingsTextToInt("4294967297", 0), 1);
}

TEST(SettingsIntToText, WritesPlainDecimal) {
    char out[16];
    SettingsIntToText(-5, out);
    EXPECT_STREQ(out, "-5");
    SettingsIntToText(0, out);
    EXPECT_STREQ(out, "0");
    SettingsIntToText(262263, out);
    EXPECT_STREQ(out, "262263");
}

TEST(SettingsBool, ReadsAnythingButALeadingZeroAsTrue) {
    EXPECT_TRUE(SettingsTextToBool("false", false));
    EXPECT_TRUE(SettingsTextToBool("1", false));
    EXPECT_FALSE(SettingsTextToBool("0", true));
    EXPECT_FALSE(SettingsTextToBool("0abc", true));
    EXPECT_TRUE(SettingsTextToBool("", true));
    EXPECT_FALSE(SettingsTextToBool("", false));
    EXPECT_STREQ(SettingsBoolToText(true), "1");
    EXPECT_STREQ(SettingsBoolToText(false), "0");
}

TEST(SettingsKeyPath, NamesTheSectionKey) {
    char out[SETTINGS_VALUE];
    SettingsKeyPath("Books", out);
    EXPECT_STREQ(out, "Software\\Korvane\\Jotwell\\Books");
}

}  // namespace

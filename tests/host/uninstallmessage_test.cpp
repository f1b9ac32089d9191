// The uninstaller's closing words about what it kept.
#include "installer/uninstallmessage.h"

#include <gtest/gtest.h>

namespace {

const char kProgram[] = "C:\\Program Files\\Korvane\\Jotwell";
const char kStore[] = "C:\\Users\\Ann\\AppData\\Local\\Korvane\\Jotwell";

TEST(UninstallMessage, SaysWhereTheHistoryStoreIsWhenThereIsOne) {
    EXPECT_EQ(UninstallClosingMessage(kProgram, true, ""),
              std::string("Jotwell has been removed. Your notes were kept, in the folder\n\n") +
                  kProgram);
    EXPECT_EQ(UninstallClosingMessage(kProgram, true, kStore),
              std::string("Jotwell has been removed. Your notes were kept, in the folder\n\n") +
                  kProgram +
                  "\n\nDeleted notes and earlier versions of notes were kept too, in the "
                  "folder\n\n" + kStore);
    EXPECT_EQ(UninstallClosingMessage(kProgram, false, kStore),
              std::string("Jotwell has been removed. Deleted notes and earlier versions of notes "
                          "were kept, in the folder\n\n") + kStore);
    EXPECT_EQ(UninstallClosingMessage(kProgram, false, ""), "");
}

}  // namespace

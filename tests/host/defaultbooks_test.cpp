// The default books: the setup makes and holds their folders, so a sample
// note for any other folder could not be installed; the first start lists
// them by position with the diary last.
#include <gtest/gtest.h>

#include <string.h>

#include "installer/defaultbooks.h"
#include "installer/setuplayout.h"

namespace {

bool IsDefaultBook(const char* name) {
    for (const DefaultBook& book : DEFAULT_BOOKS)
        if (strcmp(book.name, name) == 0)
            return true;
    return false;
}

TEST(DefaultBooks, EverySampleNoteGoesIntoADefaultBook) {
    for (int i = 0; i < SetupEntryCount(); ++i) {
        const SetupFileEntry& entry = SETUP_FILES[i];
        if (!SetupKeyIsProgramFolder(entry.folderKey)) {
            EXPECT_TRUE(IsDefaultBook(entry.folderKey)) << entry.fileName;
        }
    }
}

TEST(DefaultBooks, OneDiaryListedLastAndNamesDistinct) {
    int diaries = 0;
    for (int i = 0; i < DEFAULT_BOOK_COUNT; ++i) {
        diaries += DEFAULT_BOOKS[i].diary;
        for (int j = 0; j < i; ++j)
            EXPECT_STRNE(DEFAULT_BOOKS[i].name, DEFAULT_BOOKS[j].name);
    }
    EXPECT_EQ(diaries, 1);
    EXPECT_TRUE(DEFAULT_BOOKS[DEFAULT_BOOK_COUNT - 1].diary);
}

}  // namespace

// Which versions the history store keeps, and what goes when it is cut back.
#include "notebook/historyrules.h"

#include <gtest/gtest.h>

namespace {

const unsigned long long kMinute = 60 * HISTORY_SECOND;
const unsigned long long kDay = 24 * 60 * kMinute;
const unsigned long long kNow = 1000 * kDay;

TEST(HistoryRules, AVersionIsKeptWhenTheNewestIsFiveMinutesOld) {
    EXPECT_TRUE(HistoryVersionDue(false, 0, kNow));
    EXPECT_FALSE(HistoryVersionDue(true, kNow - 5 * kMinute + 1, kNow));
    EXPECT_TRUE(HistoryVersionDue(true, kNow - 5 * kMinute, kNow));
    // The clock was put back past the newest one.
    EXPECT_TRUE(HistoryVersionDue(true, kNow + kMinute, kNow));
}

TEST(HistoryRules, WhatIsTooOldGoesThenTheOldestUntilTheRestFits) {
    std::vector<HistoryHeld> held = {
        {kNow - 31 * kDay, 10},  // too old, however small
        {kNow - 2 * kDay, 400},
        {kNow - 3 * kDay, 300},  // the oldest of the young ones
        {kNow - kDay, 500},
        {kNow + kDay, 100},      // kept "later" by a clock put back: young
    };
    EXPECT_EQ(HistoryPruneChoice(held, kNow, 30 * kDay, 10000), std::vector<size_t>{0});
    EXPECT_EQ(HistoryPruneChoice(held, kNow, 30 * kDay, 1000), (std::vector<size_t>{0, 2}));
    EXPECT_EQ(HistoryPruneChoice(held, kNow, 30 * kDay, 600), (std::vector<size_t>{0, 1, 2}));
    EXPECT_EQ(HistoryPruneChoice(held, kNow, 30 * kDay, 599), (std::vector<size_t>{0, 1, 2, 3}));
}

}  // namespace

// Judging a turn file in the way of a save by this computer's watch alone.
#include "notebook/turnwatch.h"

#include <gtest/gtest.h>

namespace {

const TurnFileSeen kOne = {100, 200, 0, 0x20};
const TurnFileSeen kTwo = {101, 201, 0, 0x20};

// However far its stamp lies in the future or past, a turn file nobody
// renews is left over once watched unchanged long enough, across a wrap of
// the tick.
TEST(TurnWatch, AnUnchangedTurnFileIsStaleAfterTheWatchWhateverItsStamp) {
    TurnWatch watch(10000, 30000);
    unsigned start = 0xFFFFF000u;
    EXPECT_EQ(watch.Seen(kOne, start), TURN_WAIT);
    EXPECT_EQ(watch.Seen(kOne, start + 9999), TURN_WAIT);
    EXPECT_EQ(watch.Seen(kOne, start + 10000), TURN_STALE);
}

// A turn that keeps changing hands is no leftover, but the wait for it is
// bounded; once taken, the next wait starts afresh.
TEST(TurnWatch, ATurnChangingHandsIsWaitedForUpToTheBound) {
    TurnWatch watch(10000, 30000);
    for (unsigned t = 0; t < 30000; t += 5000)
        EXPECT_EQ(watch.Seen((t / 5000) % 2 ? kTwo : kOne, t), TURN_WAIT) << t;
    EXPECT_EQ(watch.Seen(kOne, 30000), TURN_GIVE_UP);
    watch.Taken();
    EXPECT_EQ(watch.Seen(kOne, 40000), TURN_WAIT);
    EXPECT_EQ(watch.Seen(kOne, 49999), TURN_WAIT);
}

// A turn file already there when the typing began counts as watched from
// then, so the save finds it left over at once; one that changed since, or
// came only later, is watched from the save on, and a look starts no wait.
TEST(TurnWatch, ATurnFileNoticedBeforeTheSaveIsWatchedFromThen) {
    TurnWatch watch(3000, 30000);
    watch.Noticed(kOne, 0);
    EXPECT_EQ(watch.Seen(kOne, 3000), TURN_STALE);
    watch.Taken();
    watch.Noticed(kOne, 10000);
    EXPECT_EQ(watch.Seen(kTwo, 13000), TURN_WAIT);
    EXPECT_EQ(watch.Seen(kTwo, 15999), TURN_WAIT);
    watch.Taken();
    watch.Noticed(kOne, 20000);
    watch.Taken();
    EXPECT_EQ(watch.Seen(kOne, 60000), TURN_WAIT) << "a look long ago is forgotten once taken";
}

}  // namespace

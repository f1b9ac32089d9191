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

}  // namespace

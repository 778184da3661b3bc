// ControlMailbox on one thread: what is taken, what the main thread reads back.
#include "vst3/control_mailbox.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

std::vector<std::pair<int32_t, float>> drainAll(ControlMailbox& box)
{
    std::vector<std::pair<int32_t, float>> taken;
    EXPECT_TRUE(box.drain([&](int32_t slot, float v) { taken.emplace_back(slot, v); }));
    return taken;
}

} // namespace

TEST(ControlMailbox, TakesEachPostedValueOnceAndTheLastOfASlotWins)
{
    ControlMailbox box;
    const float initial[3] = {1.0f, 2.0f, 3.0f};
    box.reset(3, initial);
    EXPECT_TRUE(drainAll(box).empty());
    box.post(2, 5.0f);
    box.post(0, 4.0f);
    box.post(2, 6.0f);
    using Taken = std::vector<std::pair<int32_t, float>>;
    EXPECT_EQ(drainAll(box), (Taken {{0, 4.0f}, {2, 6.0f}}));
    EXPECT_TRUE(drainAll(box).empty());
}

TEST(ControlMailbox, ReadShowsThePendingValueUntilItIsPublished)
{
    ControlMailbox box;
    const float initial[2] = {1.0f, 2.0f};
    box.reset(2, initial);
    EXPECT_EQ(box.read(0), 1.0f);
    box.post(0, 9.0f);
    EXPECT_TRUE(box.isPending(0));
    EXPECT_EQ(box.read(0), 9.0f);
    drainAll(box);
    EXPECT_EQ(box.read(0), 9.0f) << "taken but not yet published: still the posted value";
    box.publish(0, 8.5f);  // e.g. a host change in the same block overrode it
    EXPECT_FALSE(box.isPending(0));
    EXPECT_EQ(box.read(0), 8.5f);
    EXPECT_EQ(box.read(5), 0.0f);
}

TEST(ControlMailbox, ABatchInProgressIsNotTakenHalfway)
{
    ControlMailbox box;
    box.reset(2);
    box.beginBatch();
    box.post(0, 1.0f);
    int taken = 0;
    EXPECT_FALSE(box.drain([&](int32_t, float) { ++taken; }));
    EXPECT_EQ(taken, 0);
    box.post(1, 2.0f);
    box.endBatch();
    EXPECT_EQ(drainAll(box).size(), 2u);
}

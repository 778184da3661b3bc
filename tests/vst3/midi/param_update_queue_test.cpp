// CVSTParamUpdateQueue: sample-by-sample values along the host's points.
#include "vst3/midi/param_update_queue.h"

#include "midi_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

// Counts allocations, so a test can show that reading values allocates nothing.
// The replacement operators pair malloc with free; GCC cannot see that once
// they are inlined into the test fixtures and warns about a mismatch.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
static int g_allocations = 0;
void* operator new(std::size_t size)
{
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

using namespace corvale_test;
using Steinberg::Vst::Rive2ZOD3::CVSTParamUpdateQueue;

struct Reading
{
    int32 offset;
    double value;
    bool operator==(const Reading& o) const
    {
        return offset == o.offset && std::fabs(value - o.value) < 1e-9;
    }
};

std::ostream& operator<<(std::ostream& os, const Reading& r)
{
    return os << "(" << r.offset << ", " << r.value << ")";
}

class UpdateQueueTest : public ::testing::Test
{
protected:
    // Runs one block through nextValue and collects the new values it answers.
    std::vector<Reading> runBlock(VectorParamQueue& host, int32 blockSize)
    {
        queue.prepare(&host, host.getPointCount(), blockSize);
        std::vector<Reading> readings;
        readings.reserve(static_cast<size_t>(blockSize));
        for (int32 offset = 0; offset < blockSize; ++offset)
        {
            double value = -99.0;
            if (queue.nextValue(value))
                readings.push_back({offset, value});
            EXPECT_TRUE(std::isfinite(value)) << "offset " << offset;
        }
        return readings;
    }

    int32 granularity = 1;
    CVSTParamUpdateQueue queue{&granularity, 0.0, 1.0};
};

TEST_F(UpdateQueueTest, RampsBetweenTwoPointsEverySample)
{
    VectorParamQueue host(7, {{0, 0.0}, {10, 1.0}});
    // Offset 0 repeats the queue's start value 0.0, so it is no new value.
    std::vector<Reading> expected;
    for (int32 k = 1; k <= 10; ++k)
        expected.push_back({k, k / 10.0});
    EXPECT_EQ(runBlock(host, 11), expected);
    EXPECT_EQ(queue.parameterId(), 7u);
}

TEST_F(UpdateQueueTest, GranularityFourUpdatesOnItsGridAndAtPoints)
{
    granularity = 4;
    VectorParamQueue host(0, {{0, 0.0}, {10, 1.0}});
    EXPECT_EQ(runBlock(host, 11), (std::vector<Reading>{{4, 0.4}, {8, 0.8}, {10, 1.0}}));
}

TEST_F(UpdateQueueTest, GranularityZeroUpdatesOnlyAtPoints)
{
    granularity = 0;
    VectorParamQueue host(0, {{0, 0.2}, {6, 0.8}, {10, 0.5}});
    EXPECT_EQ(runBlock(host, 11), (std::vector<Reading>{{0, 0.2}, {6, 0.8}, {10, 0.5}}));
}

TEST_F(UpdateQueueTest, HoldsTheLastPointsValueToTheEndOfTheBlock)
{
    VectorParamQueue host(0, {{0, 0.0}, {4, 1.0}});
    EXPECT_EQ(runBlock(host, 11),
              (std::vector<Reading>{{1, 0.25}, {2, 0.5}, {3, 0.75}, {4, 1.0}}));
    // The next unchanged block has nothing new either.
    double value = 0.0;
    EXPECT_FALSE(queue.nextValue(value));
}

TEST_F(UpdateQueueTest, NextBlockRampsFromTheValueReachedBefore)
{
    VectorParamQueue first(0, {{0, 0.0}, {10, 1.0}});
    runBlock(first, 11);
    VectorParamQueue second(0, {{5, 0.5}});
    EXPECT_EQ(runBlock(second, 11),
              (std::vector<Reading>{{1, 0.9}, {2, 0.8}, {3, 0.7}, {4, 0.6}, {5, 0.5}}));
}

TEST_F(UpdateQueueTest, NextBlockStartsAtZeroAfterAHeldValue)
{
    VectorParamQueue first(0, {{0, 0.0}, {4, 1.0}});  // held from offset 4 on
    runBlock(first, 11);
    VectorParamQueue second(0, {{4, 0.0}});
    EXPECT_EQ(runBlock(second, 8),
              (std::vector<Reading>{{1, 0.75}, {2, 0.5}, {3, 0.25}, {4, 0.0}}));
}

TEST_F(UpdateQueueTest, SinglePointHoldsItsValue)
{
    VectorParamQueue host(0, {{0, 0.7}});
    EXPECT_EQ(runBlock(host, 8), (std::vector<Reading>{{0, 0.7}}));
}

TEST_F(UpdateQueueTest, PointsAtOneOffsetJumpToTheLaterOne)
{
    VectorParamQueue host(0, {{0, 0.0}, {0, 0.5}, {10, 1.0}});
    std::vector<Reading> expected{{0, 0.5}};
    for (int32 k = 1; k <= 10; ++k)
        expected.push_back({k, 0.5 + k * 0.05});
    EXPECT_EQ(runBlock(host, 11), expected);
}

TEST_F(UpdateQueueTest, DegenerateBlocksGiveFiniteValues)
{
    VectorParamQueue single(0, {{0, 0.3}});
    runBlock(single, 0);
    runBlock(single, 1);
    VectorParamQueue outOfOrder(0, {{0, 0.0}, {8, 1.0}, {3, 0.5}, {-2, 0.25}});
    runBlock(outOfOrder, 10);
    VectorParamQueue beyondBlock(0, {{0, 0.0}, {40, 1.0}});
    runBlock(beyondBlock, 10);
}

TEST_F(UpdateQueueTest, JumpingPastAPointFollowsTheSegmentThatHoldsTheOffset)
{
    VectorParamQueue host(0, {{0, 0.0}, {4, 1.0}, {8, 0.0}});
    queue.prepare(&host, host.getPointCount(), 9);
    double value = -1.0;
    EXPECT_FALSE(queue.valueAtOffset(0, 0.0, value));
    ASSERT_TRUE(queue.valueAtOffset(6, 0.0, value));
    EXPECT_DOUBLE_EQ(value, 0.5);
    // nextValue continues at the offset given last: 6 again (no new value), then 7.
    EXPECT_FALSE(queue.nextValue(value));
    ASSERT_TRUE(queue.nextValue(value));
    EXPECT_DOUBLE_EQ(value, 0.25);
}

TEST_F(UpdateQueueTest, UnboundQueueAnswersNothing)
{
    double value = -1.0;
    EXPECT_FALSE(queue.nextValue(value));
    EXPECT_FALSE(queue.valueAtOffset(3, 0.0, value));
    EXPECT_EQ(value, -1.0);
    EXPECT_FALSE(queue.isBound());

    VectorParamQueue host(0, {{0, 0.0}, {10, 1.0}});
    queue.prepare(&host, 2, 11);
    EXPECT_TRUE(queue.isBound());
    queue.release();
    EXPECT_FALSE(queue.isBound());
    const int readsBefore = host.reads;
    EXPECT_FALSE(queue.nextValue(value));
    EXPECT_EQ(host.reads, readsBefore);  // the dead host queue is not touched
}

TEST_F(UpdateQueueTest, FailingPointReadsChangeNothing)
{
    struct FailingQueue : VectorParamQueue
    {
        FailingQueue() : VectorParamQueue(0, {}) {}
        tresult PLUGIN_API getPoint(int32, int32&, ParamValue&) override { return kResultFalse; }
    } host;
    queue.prepare(&host, 3, 16);
    double value = -1.0;
    for (int32 k = 0; k < 16; ++k)
        EXPECT_FALSE(queue.nextValue(value));
    EXPECT_EQ(value, -1.0);
}

TEST_F(UpdateQueueTest, ReadingValuesAllocatesNothing)
{
    VectorParamQueue host(0, {{0, 0.0}, {3, 1.0}, {3, 0.2}, {60, 0.9}});
    queue.prepare(&host, host.getPointCount(), 64);
    const int before = g_allocations;
    double value = 0.0;
    for (int32 k = 0; k < 64; ++k)
        queue.nextValue(value);
    queue.valueAtOffset(10, 0.0, value);
    EXPECT_EQ(g_allocations, before);
}

}  // namespace

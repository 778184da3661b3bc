// ControlMailbox across two threads (run under ThreadSanitizer in CI): batches
// land whole, the last value wins, and the main thread reads back what it wrote.
#include "vst3/control_mailbox.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

TEST(ControlMailboxConcurrency, BatchesLandWholeAndTheLastOneStays)
{
    constexpr int kSlots = 19;
    constexpr int kBatches = 20000;
    ControlMailbox box;
    box.reset(kSlots);

    std::atomic<bool> done {false};
    std::atomic<int> tornBatches {0};
    std::vector<float> current(kSlots, 0.0f);  // the consumer's objects

    std::thread consumer([&] {
        auto block = [&] {
            box.drain([&](int32_t slot, float v) { current[static_cast<size_t>(slot)] = v; });
            for (int s = 1; s < kSlots; ++s)
                if (current[static_cast<size_t>(s)] != current[0])
                    ++tornBatches;
            for (int s = 0; s < kSlots; ++s)
                box.publish(s, current[static_cast<size_t>(s)]);
        };
        while (!done.load())
            block();
        block();
    });

    int mismatches = 0;
    for (int k = 1; k <= kBatches; ++k)
    {
        box.beginBatch();
        for (int s = 0; s < kSlots; ++s)
            box.post(s, static_cast<float>(k));
        box.endBatch();
        if (box.read(k % kSlots) != static_cast<float>(k))
            ++mismatches;  // right after writing, the main thread sees its own value
    }
    done.store(true);
    consumer.join();

    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(tornBatches.load(), 0);
    for (int s = 0; s < kSlots; ++s)
    {
        EXPECT_EQ(current[static_cast<size_t>(s)], static_cast<float>(kBatches));
        EXPECT_EQ(box.read(s), static_cast<float>(kBatches));
    }
}

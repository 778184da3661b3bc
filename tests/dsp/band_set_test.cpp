// Shared band sets: one per rate and size, the same responses as a set designed on
// its own, and safe to request from several threads at once.
#include "dsp/band_set.h"
#include "dsp/graphic_eq_engine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace {

bool sameResponses(const CBandSet& a, const CBandSet& b)
{
    if (a.designSize() != b.designSize())
        return false;
    for (int band = 0; band < CBandSet::kBandCount; ++band)
    {
        if (std::memcmp(a.response(band).values(), b.response(band).values(),
                        sizeof(double) * static_cast<size_t>(a.designSize()))
            != 0)
            return false;
    }
    return true;
}

TEST(BandSet, OneSharedSetPerRateAndSizeEqualToADesignOfItsOwn)
{
    const struct
    {
        int rate;
        int size;
    } cases[] = {{44100, 2048}, {48000, 2048}, {96000, 4096}};
    for (const auto& c : cases)
    {
        const std::shared_ptr<const CBandSet> shared = CBandSet::shared(c.rate, c.size);
        EXPECT_EQ(CBandSet::shared(c.rate, c.size), shared);
        EXPECT_EQ(shared->sampleRate(), c.rate);
        EXPECT_TRUE(sameResponses(*shared, CBandSet(c.rate, c.size))) << c.rate;
        const CGraphicEqEngine engine(c.rate, 0, c.size, c.size, 64, 0);
        EXPECT_EQ(engine.bandResponses(3).values(), shared->response(3).values())
            << "engines read the shared set";
    }
    EXPECT_NE(CBandSet::shared(44100, 2048), CBandSet::shared(48000, 2048));
    EXPECT_NE(CBandSet::shared(96000, 2048), CBandSet::shared(96000, 4096));
}

// Hosts create instances on several threads at once: every thread gets the one set of its
// rate, fully designed, and engines built meanwhile filter alike. Run under TSan.
TEST(BandSet, ConcurrentRequestsGetOneFinishedSet)
{
    const int rates[] = {22050, 32000, 88200};
    constexpr int kThreads = 6;
    std::vector<std::shared_ptr<const CBandSet>> got(kThreads);
    std::vector<double> outputs(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
    {
        threads.emplace_back([&, t] {
            const int rate = rates[t % 3];
            got[static_cast<size_t>(t)] = CBandSet::shared(rate, 2048);
            CGraphicEqEngine engine(rate, 0, 2048, 2048, 64, 0);
            for (int b = 0; b < CGraphicEqEngine::kBandCount; ++b)
                engine.setBandDecay(b, 0.0, rate);
            double sum = 0.0;
            for (int n = 0; n < 4096; ++n)
            {
                engine.processSample(n % 64 == 0 ? 1.0 : 0.0);
                sum += engine.currentOutput();
            }
            outputs[static_cast<size_t>(t)] = sum;
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int t = 0; t < kThreads; ++t)
    {
        EXPECT_EQ(got[static_cast<size_t>(t)], got[static_cast<size_t>(t % 3)]);
        EXPECT_EQ(outputs[static_cast<size_t>(t)], outputs[static_cast<size_t>(t % 3)]);
    }
    EXPECT_TRUE(sameResponses(*got[0], CBandSet(rates[0], 2048)));
}

} // namespace

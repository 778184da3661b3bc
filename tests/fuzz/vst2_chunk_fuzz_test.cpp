// The VST 2 chunk path of the built module, over inputs drawn with a fixed
// seed: noise, and the effect's own chunk damaged in the ways a host or a
// damaged session file damages it (bytes changed, cut short, sizes in the
// header that lie, states with values out of range or not numbers, versions
// that do not exist, bytes after the end). The target's checks must hold for
// every one (fuzz/vst2_chunk_fuzz_target.h).
#include "vst2_chunk_fuzz_target.h"
#include "vst2_test_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr size_t kHeader = 16;

void putSize(Bytes& chunk, size_t at, uint64_t value)
{
    for (int i = 0; i < 8; ++i)
        chunk[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

template <typename T>
void putValue(Bytes& chunk, size_t at, T value)
{
    if (at + sizeof value <= chunk.size())
        std::memcpy(chunk.data() + at, &value, sizeof value);
}

uint64_t lyingSize(std::mt19937& random, size_t honest)
{
    const uint64_t sizes[] = {0,          1,          honest - 1, honest,
                              honest + 1, 1ull << 63, ~0ull,      random() % 4096};
    return sizes[random() % 8];
}

float strangeFloat(std::mt19937& random)
{
    const float values[] = {std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(),
                            1e30f,
                            -1e30f,
                            std::numeric_limits<float>::denorm_min(),
                            -0.0f,
                            std::uniform_real_distribution<float>(-100.0f, 100.0f)(random)};
    return values[random() % 8];
}

Bytes damaged(const Bytes& valid, std::mt19937& random)
{
    Bytes chunk = valid;
    const size_t componentSize = valid.size() - kHeader;
    std::uniform_int_distribution<int> byte(0, 255);
    switch (random() % 6)
    {
    case 0: // noise of any length
        chunk.resize(random() % 200);
        for (uint8_t& b : chunk)
            b = static_cast<uint8_t>(byte(random));
        break;
    case 1: // a few bytes changed anywhere
        for (int k = 0, n = 1 + static_cast<int>(random() % 4); k < n; ++k)
            chunk[random() % chunk.size()] = static_cast<uint8_t>(byte(random));
        break;
    case 2: // cut short
        chunk.resize(random() % chunk.size());
        break;
    case 3: // sizes in the header that do not match what follows
        putSize(chunk, 0, lyingSize(random, componentSize));
        if (random() % 2 == 0)
            putSize(chunk, 8, lyingSize(random, 0));
        break;
    case 4: // a state with strange values, bypass words and versions
    {
        for (int field = 0; field < 16 + 2; ++field)
            if (random() % 3 == 0)
            {
                const size_t at = field < 16
                                      ? kHeader + 8 + 4 * static_cast<size_t>(field)
                                      : kHeader + 8 + 64 + 2 + 4 * static_cast<size_t>(field - 16);
                putValue(chunk, at, strangeFloat(random));
            }
        if (random() % 3 == 0)
            putValue(chunk, kHeader + 8 + 64, static_cast<int16_t>(random()));
        if (random() % 3 == 0)
        {
            const int64_t versions[] = {0, 1, 2, -1, static_cast<int64_t>(random())};
            const int64_t version = versions[random() % 5];
            putValue(chunk, kHeader, version);
            if (version == 0 && random() % 2 == 0)
            {
                chunk.resize(kHeader + 74); // the joystick-less layout
                putSize(chunk, 0, 74);
            }
        }
        break;
    }
    default: // bytes after the end, counted as controller state or not at all
    {
        const size_t extra = 1 + random() % 16;
        for (size_t k = 0; k < extra; ++k)
            chunk.push_back(static_cast<uint8_t>(byte(random)));
        if (random() % 2 == 0)
            putSize(chunk, 8, extra);
        break;
    }
    }
    return chunk;
}

void fuzz(unsigned seed, int iterations)
{
    vst2test::Vst2Module module(CORVALE_BUNDLE_SO);
    ASSERT_TRUE(module.loaded()) << module.error();
    corvale::fuzz::Vst2ChunkFuzzTarget target(module.entry());
    ASSERT_TRUE(target.ready());
    const Bytes valid = target.chunk();
    ASSERT_EQ(valid.size(), kHeader + 82);

    std::mt19937 random(seed);
    int accepted = 0;
    for (int i = 0; i < iterations; ++i)
    {
        const Bytes chunk = damaged(valid, random);
        ASSERT_EQ(target.run(chunk.data(), chunk.size()), "")
            << "input " << i << " of seed " << seed;
        accepted += target.lastAccepted() ? 1 : 0;
    }
    // The inputs reach both answers, so both sides of the checks ran.
    EXPECT_GT(accepted, iterations / 10);
    EXPECT_LT(accepted, iterations - iterations / 10);
}

} // namespace

TEST(Vst2ChunkFuzz, DamagedChunksAreRefusedOrLoadCleanly)
{
    fuzz(20261211u, 3000);
}

TEST(Vst2ChunkFuzz, AnotherSeed)
{
    fuzz(97u, 500);
}

// The component state codec on its own: layout, validation and clamping.
#include "vst3/state_stream.h"

#include "public.sdk/source/common/memorystream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst::Rive2ZOD3;

namespace {

const std::vector<StateField> kLayout = {
    {1, -12.0f, 12.0f},  // float
    {0, 0.0f, 10.0f},    // int32
    {2, 0.0f, 2.0f},     // double
    {3, 0.0f, 3.0f},     // uint32
    {4, 0.0f, 1.0f},     // no field
};

// Little-endian byte builder, independent of the SDK's streamer.
struct Bytes
{
    std::vector<unsigned char> data;
    template <typename T>
    Bytes& put(T v)
    {
        unsigned char raw[sizeof(T)];
        std::memcpy(raw, &v, sizeof(T));
        data.insert(data.end(), raw, raw + sizeof(T));
        return *this;
    }
};

Bytes validStream(int64 version = 1)
{
    Bytes b;
    b.put<int64>(version).put<float>(3.5f).put<int32>(7).put<double>(1.25).put<uint32>(2).put<int16>(1);
    if (version != 0)
        b.put<float>(0.5f).put<float>(-0.25f);
    return b;
}

bool read(const Bytes& b, StateValues& out)
{
    MemoryStream stream(const_cast<unsigned char*>(b.data.data()), static_cast<TSize>(b.data.size()));
    return readComponentState(&stream, kLayout, out);
}

} // namespace

TEST(StateStream, ReadsEveryFieldType)
{
    StateValues v;
    ASSERT_TRUE(read(validStream(), v));
    EXPECT_EQ(v.version, 1);
    EXPECT_EQ(v.controls, std::vector<float>({3.5f, 7.0f, 1.25f, 2.0f, 0.0f}));
    EXPECT_TRUE(v.bypass);
    EXPECT_TRUE(v.hasJoystick);
    EXPECT_EQ(v.joystickX, 0.5f);
    EXPECT_EQ(v.joystickY, -0.25f);
}

TEST(StateStream, WriteThenReadGivesTheSameBytes)
{
    StateValues in;
    ASSERT_TRUE(read(validStream(), in));
    MemoryStream out;
    ASSERT_TRUE(writeComponentState(&out, kLayout, in));
    const Bytes expected = validStream();
    ASSERT_EQ(static_cast<size_t>(out.getSize()), expected.data.size());
    EXPECT_EQ(std::memcmp(out.getData(), expected.data.data(), expected.data.size()), 0);
}

TEST(StateStream, EveryCutShortStreamIsRejected)
{
    const Bytes full = validStream();
    for (size_t n = 0; n < full.data.size(); ++n)
    {
        Bytes cut;
        cut.data.assign(full.data.begin(), full.data.begin() + static_cast<long>(n));
        StateValues v;
        EXPECT_FALSE(read(cut, v)) << n << " bytes";
    }
}

TEST(StateStream, VersionZeroEndsAfterBypass)
{
    StateValues v;
    ASSERT_TRUE(read(validStream(0), v));
    EXPECT_FALSE(v.hasJoystick);
}

TEST(StateStream, TrailingBytesAreIgnored)
{
    Bytes b = validStream();
    b.put<int32>(-1).put<int32>(99);
    StateValues v;
    EXPECT_TRUE(read(b, v));
}

TEST(StateStream, NonFiniteValuesAreRejectedWhereverTheyAre)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Bytes a;
    a.put<int64>(1).put<float>(nan).put<int32>(7).put<double>(1.0).put<uint32>(0).put<int16>(0)
        .put<float>(0.0f).put<float>(0.0f);
    Bytes b;
    b.put<int64>(1).put<float>(0.0f).put<int32>(7).put<double>(-HUGE_VAL).put<uint32>(0).put<int16>(0)
        .put<float>(0.0f).put<float>(0.0f);
    Bytes c;
    c.put<int64>(1).put<float>(0.0f).put<int32>(7).put<double>(1.0).put<uint32>(0).put<int16>(0)
        .put<float>(0.0f).put<float>(inf);
    StateValues v;
    EXPECT_FALSE(read(a, v));
    EXPECT_FALSE(read(b, v));
    EXPECT_FALSE(read(c, v));
}

TEST(StateStream, FiniteValuesOutsideTheRangeAreClamped)
{
    Bytes b;
    b.put<int64>(1).put<float>(40.0f).put<int32>(-5).put<double>(1e300).put<uint32>(4000000000u)
        .put<int16>(0).put<float>(-7.0f).put<float>(3.0f);
    StateValues v;
    ASSERT_TRUE(read(b, v));
    EXPECT_EQ(v.controls, std::vector<float>({12.0f, 0.0f, 2.0f, 3.0f, 0.0f}));
    EXPECT_EQ(v.joystickX, -1.0f);
    EXPECT_EQ(v.joystickY, 1.0f);
}

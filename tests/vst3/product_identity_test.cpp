// The generated product identity: its derived names and numbers agree with the
// version it is generated from, and the built bundle reports exactly those.
#include "module_test_support.h"
#include "product_identity.h"

#include "pluginterfaces/base/funknown.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

using namespace Steinberg;

namespace {

// "a.b.c.d" packed one byte per part, worked out here independently of CMake.
int32 packed(const std::string& version)
{
    unsigned parts[4] = {0, 0, 0, 0};
    EXPECT_EQ(std::sscanf(version.c_str(), "%u.%u.%u.%u", &parts[0], &parts[1], &parts[2], &parts[3]), 4);
    return static_cast<int32>((parts[0] << 24) | (parts[1] << 16) | (parts[2] << 8) | parts[3]);
}

std::string withoutDots(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '.'), text.end());
    return text;
}

} // namespace

TEST(ProductIdentity, DerivedNamesFollowTheVersion)
{
    const std::string product = ProductIdentity::kProductName;
    const std::string version = ProductIdentity::kVersion;
    EXPECT_EQ(std::string(ProductIdentity::kClassName), product + "V" + withoutDots(version));
    EXPECT_EQ(std::string(ProductIdentity::kBundleName), std::string(ProductIdentity::kClassName) + ".vst3");
    EXPECT_EQ(std::string(ProductIdentity::kProductAndVersion), product + " " + version);
    EXPECT_EQ(ProductIdentity::kVst2Version, packed(version));
}

TEST(ProductIdentity, TheBuiltBundleReportsIt)
{
    const std::string bundle = bundlePath();
    EXPECT_EQ(bundle.substr(bundle.rfind('/') + 1), ProductIdentity::kBundleName);

    corvale::host::PluginInstance plugin;
    ASSERT_TRUE(plugin.load(bundle)) << plugin.error();
    EXPECT_EQ(plugin.classInfo().name, ProductIdentity::kClassName);
    EXPECT_EQ(plugin.classInfo().version, ProductIdentity::kVersion);
    const auto& words = ProductIdentity::kClassIdWords;
    TUID expected {};
    FUID(words[0], words[1], words[2], words[3]).toTUID(expected);
    EXPECT_EQ(std::memcmp(plugin.classInfo().cid, expected, sizeof(TUID)), 0);
}

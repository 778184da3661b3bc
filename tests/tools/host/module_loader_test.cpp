// ModuleLoader opens bundles as a DAW does and names what is wrong with anything else.
#include "host/module_loader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

using corvale::host::ModuleLoader;

namespace {

std::string writeTempFile(const std::string& name, const std::string& content)
{
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path) << content;
    return path;
}

} // namespace

TEST(ModuleLoader, LoadsAFakeBundleAndFindsItsProcessorClass)
{
    ModuleLoader loader;
    ASSERT_TRUE(loader.load(FAKE_GAIN_BUNDLE)) << loader.error();
    EXPECT_TRUE(loader.isLoaded());
    EXPECT_NE(loader.libraryPath().find("/Contents/"), std::string::npos);
    const auto classes = loader.classes();
    ASSERT_EQ(classes.size(), 2u);
    ModuleLoader::ClassEntry effect;
    ASSERT_TRUE(loader.findAudioEffectClass(effect)) << loader.error();
    EXPECT_EQ(effect.name, "FakeGain");
    EXPECT_EQ(effect.category, "Audio Module Class");
    EXPECT_EQ(effect.subCategories, "Fx");
    loader.unload();
    EXPECT_FALSE(loader.isLoaded());
    loader.unload(); // repeating is harmless
}

TEST(ModuleLoader, LoadsTheSharedObjectGivenDirectly)
{
    const std::string so = ModuleLoader::resolveLibraryPath(FAKE_GAIN_BUNDLE);
    EXPECT_EQ(so.substr(so.size() - 12), "/FakeGain.so");
    ModuleLoader loader;
    EXPECT_TRUE(loader.load(so)) << loader.error();
    EXPECT_TRUE(loader.load(std::string(FAKE_GAIN_BUNDLE) + "/")) << "a trailing slash names the same bundle";
}

TEST(ModuleLoader, ExplainsWhyAPathIsNoModule)
{
    const std::string textFile = writeTempFile("not_a_module.vst3", "hello\n");
    const std::string emptyBundle = ::testing::TempDir() + "Empty.vst3";
    std::remove(emptyBundle.c_str());
    ASSERT_EQ(std::system(("mkdir -p '" + emptyBundle + "'").c_str()), 0);

    struct Case
    {
        std::string path;
        std::string expected;
    };
    const Case cases[] = {
        {"/nonexistent/Nothing.vst3", "no such file or directory"},
        {textFile, "is not a VST 3 module: cannot load it"},
        {FAKE_NO_FACTORY_SO, "does not export GetPluginFactory"},
        {emptyBundle, "is not a VST 3 bundle"},
    };
    for (const auto& c : cases) {
        ModuleLoader loader;
        EXPECT_FALSE(loader.load(c.path)) << c.path;
        EXPECT_NE(loader.error().find(c.expected), std::string::npos) << c.path << ": " << loader.error();
        EXPECT_EQ(loader.error().find('\n'), std::string::npos) << "one line";
        EXPECT_FALSE(loader.isLoaded());
    }
}

TEST(ModuleLoader, ReportsAFactoryWithoutAudioProcessorClass)
{
    ModuleLoader loader;
    ASSERT_TRUE(loader.load(FAKE_NO_PROCESSOR_BUNDLE)) << loader.error();
    ModuleLoader::ClassEntry effect;
    EXPECT_FALSE(loader.findAudioEffectClass(effect));
    EXPECT_NE(loader.error().find("no audio processor class"), std::string::npos) << loader.error();
}

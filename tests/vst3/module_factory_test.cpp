// The bundle's exports and factory as a host sees them.
#include "module_test_support.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/vsttypes.h"

#include <dlfcn.h>

using namespace Steinberg;

namespace {

constexpr uint32 kWords[4] = {0xFFFFA866u, 0x1E014851u, 0xFFFFFFADu, 0xFFFF9D10u};

class ModuleFactory : public ::testing::Test
{
protected:
    void SetUp() override
    {
        library = corvale::host::ModuleLoader::resolveLibraryPath(bundlePath());
        handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
        auto entry = reinterpret_cast<bool (*)(void*)>(dlsym(handle, "ModuleEntry"));
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(entry(handle));
        getFactory = reinterpret_cast<IPluginFactory* (*)()>(dlsym(handle, "GetPluginFactory"));
        ASSERT_NE(getFactory, nullptr);
    }
    void TearDown() override
    {
        if (handle == nullptr)
            return;
        auto exitFn = reinterpret_cast<bool (*)()>(dlsym(handle, "ModuleExit"));
        EXPECT_TRUE(exitFn());
        dlclose(handle);
    }

    std::string library;
    void* handle = nullptr;
    IPluginFactory* (*getFactory)() = nullptr;
};

} // namespace

TEST_F(ModuleFactory, ExportsTheEntryPoints)
{
    for (const char* name : {"InitDll", "ExitDll"})
    {
        auto fn = reinterpret_cast<bool (*)()>(dlsym(handle, name));
        ASSERT_NE(fn, nullptr) << name;
        EXPECT_TRUE(fn()) << name;
    }
    // Nothing of the implementation leaks out of the module.
    EXPECT_EQ(dlsym(handle, "_ZN9Steinberg4FUIDC1Ev"), nullptr);
    EXPECT_EQ(dlsym(handle, "createPlugIn"), nullptr);
    EXPECT_EQ(dlsym(handle, "_Z12createPlugInv"), nullptr);
}

TEST_F(ModuleFactory, SameFactoryEachTimeWithOneMoreReference)
{
    IPluginFactory* first = getFactory();
    IPluginFactory* second = getFactory();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    // The module keeps a reference of its own besides the two handed out.
    EXPECT_EQ(first->addRef(), 4u);
    EXPECT_EQ(first->release(), 3u);
    second->release();
    EXPECT_EQ(first->release(), 1u);
}

// One factory for as long as the host keeps the module entered: releasing every
// reference it was given does not destroy it (a host thread about to ask for it
// again would meet a dying object), ModuleExit does, and a later entry builds a
// fresh one.
TEST_F(ModuleFactory, LivesUntilModuleExit)
{
    IPluginFactory* factory = getFactory();
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory->release(), 1u);  // still the module's
    IPluginFactory* again = getFactory();
    EXPECT_EQ(again, factory);

    auto exitFn = reinterpret_cast<bool (*)()>(dlsym(handle, "ModuleExit"));
    auto entry = reinterpret_cast<bool (*)(void*)>(dlsym(handle, "ModuleEntry"));
    ASSERT_TRUE(exitFn());
    EXPECT_EQ(again->release(), 0u);  // the host's was the last reference
    EXPECT_FALSE(exitFn());           // more exits than entries

    ASSERT_TRUE(entry(handle));
    IPtr<IPluginFactory> fresh = owned(getFactory());
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->countClasses(), 1);
}

TEST_F(ModuleFactory, DescribesTheVendorAndTheOneClass)
{
    IPtr<IPluginFactory> factory = owned(getFactory());
    PFactoryInfo info;
    ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
    EXPECT_STREQ(info.vendor, "Brackwater");
    EXPECT_STREQ(info.email, "Corvale 0.0.2.0");
    EXPECT_EQ(info.flags, PFactoryInfo::kUnicode);
    ASSERT_EQ(factory->countClasses(), 1);

    FUnknownPtr<IPluginFactory2> factory2(factory);
    ASSERT_TRUE(factory2);
    PClassInfo2 c;
    ASSERT_EQ(factory2->getClassInfo2(0, &c), kResultOk);
    EXPECT_EQ(c.cardinality, PClassInfo::kManyInstances);
    EXPECT_STREQ(c.category, kVstAudioEffectClass);
    EXPECT_STREQ(c.name, "CorvaleV0020");
    EXPECT_EQ(c.classFlags, 0u);
    EXPECT_STREQ(c.subCategories, "FX|EQ");
    EXPECT_STREQ(c.vendor, "");
    EXPECT_STREQ(c.version, "0.0.2.0");
    EXPECT_STREQ(c.sdkVersion, kVstVersionString);
    EXPECT_EQ(factory2->getClassInfo2(1, &c), kInvalidArgument);

    // The ID is its four words; on this platform FUID lays each out most
    // significant byte first, in order.
    const FUID id = FUID::fromTUID(c.cid);
    EXPECT_EQ(id.getLong1(), kWords[0]);
    EXPECT_EQ(id.getLong2(), kWords[1]);
    EXPECT_EQ(id.getLong3(), kWords[2]);
    EXPECT_EQ(id.getLong4(), kWords[3]);
    const unsigned char bytes[16] = {0xFF, 0xFF, 0xA8, 0x66, 0x1E, 0x01, 0x48, 0x51,
                                     0xFF, 0xFF, 0xFF, 0xAD, 0xFF, 0xFF, 0x9D, 0x10};
    EXPECT_EQ(std::memcmp(c.cid, bytes, 16), 0);

    PClassInfo plain;
    ASSERT_EQ(factory->getClassInfo(0, &plain), kResultOk);
    EXPECT_EQ(std::memcmp(plain.cid, bytes, 16), 0);
    EXPECT_STREQ(plain.name, "CorvaleV0020");

    FUnknownPtr<IPluginFactory3> factory3(factory);
    ASSERT_TRUE(factory3);
    PClassInfoW w;
    ASSERT_EQ(factory3->getClassInfoUnicode(0, &w), kResultOk);
    EXPECT_EQ(std::memcmp(w.cid, bytes, 16), 0);
    EXPECT_STREQ(w.subCategories, "FX|EQ");
    const std::u16string name(reinterpret_cast<const char16_t*>(w.name));
    EXPECT_EQ(name, u"CorvaleV0020");
}

TEST_F(ModuleFactory, CreatesInstancesOfItsClassOnly)
{
    IPtr<IPluginFactory> factory = owned(getFactory());
    PClassInfo c;
    factory->getClassInfo(0, &c);
    void* obj = nullptr;
    ASSERT_EQ(factory->createInstance(c.cid, Vst::IComponent::iid, &obj), kResultOk);
    ASSERT_NE(obj, nullptr);
    auto* component = static_cast<Vst::IComponent*>(obj);
    // One object is component, processor and controller; it is not a pair of
    // peers to connect.
    FUnknownPtr<Vst::IAudioProcessor> processor(component);
    EXPECT_TRUE(processor);
    FUnknownPtr<Vst::IEditController> controller(component);
    EXPECT_TRUE(controller);
    FUnknownPtr<Vst::IConnectionPoint> connection(component);
    EXPECT_FALSE(connection);
    FUnknownPtr<Vst::IProcessContextRequirements> requirements(component);
    ASSERT_TRUE(requirements);
    EXPECT_EQ(requirements->getProcessContextRequirements(),
              Vst::IProcessContextRequirements::kNeedTempo
                  | Vst::IProcessContextRequirements::kNeedTimeSignature);
    component->release();

    TUID other = {};
    obj = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->createInstance(other, Vst::IComponent::iid, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
}

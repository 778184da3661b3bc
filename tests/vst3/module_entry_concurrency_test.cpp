// Several host threads instantiate the module at once, through both of its
// entries: GetPluginFactory and the factory (VST 3) and VSTPluginMain (VST 2),
// each thread creating and destroying instances over and over while the others
// do the same. Every thread must get the one factory the module keeps, and
// (under ThreadSanitizer) nothing may race: hosts scan and build their plug-in
// lists from worker threads.
#include "module_test_support.h"

#include "host/host_application.h"
#include "pluginterfaces/fst/aeffectx.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"

#include <dlfcn.h>

#include <atomic>
#include <set>
#include <thread>

using namespace Steinberg;

namespace {

constexpr int kThreads = 4;
constexpr int kRounds = 25;

VstIntPtr answerVersionOnly(AEffect*, int opcode, int, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

struct Exports
{
    bool (*entry)(void*) = nullptr;
    bool (*exit)() = nullptr;
    IPluginFactory* (*factory)() = nullptr;
    AEffect* (*vst2Main)(audioMasterCallback) = nullptr;
};

// One round of the VST 3 entry: the factory, one instance initialised and
// terminated, everything released again. Answers the factory it was given.
IPluginFactory* instantiateThroughVst3(const Exports& exports, std::string& failure)
{
    IPluginFactory* factory = exports.factory();
    if (factory == nullptr)
    {
        failure = "no factory";
        return nullptr;
    }
    PClassInfo info {};
    Vst::IComponent* component = nullptr;
    if (factory->getClassInfo(0, &info) != kResultOk
        || factory->createInstance(info.cid, Vst::IComponent::iid,
                                   reinterpret_cast<void**>(&component))
               != kResultOk
        || component == nullptr)
    {
        failure = "no instance";
    }
    else
    {
        IPtr<corvale::host::HostApplication> context = owned(new corvale::host::HostApplication);
        if (component->initialize(context) != kResultOk)
            failure = "initialize failed";
        component->terminate();
        component->release();
    }
    factory->release();
    return factory;
}

// One round of the VST 2 entry: an effect opened and closed.
void instantiateThroughVst2(const Exports& exports, std::string& failure)
{
    AEffect* effect = exports.vst2Main(answerVersionOnly);
    if (effect == nullptr)
    {
        failure = "no effect";
        return;
    }
    if (effect->numParams <= 0)
        failure = "effect without parameters";
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

} // namespace

TEST(ModuleEntryConcurrency, InstancesThroughBothEntriesFromSeveralThreads)
{
    const std::string library = corvale::host::ModuleLoader::resolveLibraryPath(bundlePath());
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    Exports exports;
    exports.entry = reinterpret_cast<bool (*)(void*)>(dlsym(handle, "ModuleEntry"));
    exports.exit = reinterpret_cast<bool (*)()>(dlsym(handle, "ModuleExit"));
    exports.factory = reinterpret_cast<IPluginFactory* (*)()>(dlsym(handle, "GetPluginFactory"));
    exports.vst2Main = reinterpret_cast<AEffect* (*)(audioMasterCallback)>(
        dlsym(handle, "VSTPluginMain"));
    ASSERT_TRUE(exports.entry && exports.exit && exports.factory && exports.vst2Main);
    ASSERT_TRUE(exports.entry(handle));

    // No thread holds a factory reference between its rounds, so a factory
    // that lived only as long as its references would come and go meanwhile.
    std::atomic<int> ready {0};
    std::vector<std::set<IPluginFactory*>> seen(kThreads);
    std::vector<std::string> failures(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            ready.fetch_add(1);
            while (ready.load() < kThreads)
                std::this_thread::yield();
            for (int round = 0; round < kRounds && failures[t].empty(); ++round)
            {
                if ((t + round) % 2 == 0)
                    seen[t].insert(instantiateThroughVst3(exports, failures[t]));
                else
                    instantiateThroughVst2(exports, failures[t]);
            }
        });
    for (auto& thread : threads)
        thread.join();

    std::set<IPluginFactory*> all;
    for (int t = 0; t < kThreads; ++t)
    {
        EXPECT_EQ(failures[t], "") << "thread " << t;
        all.insert(seen[t].begin(), seen[t].end());
    }
    EXPECT_EQ(all.size(), 1u);
    IPluginFactory* last = exports.factory();
    EXPECT_EQ(all.count(last), 1u);
    last->release();

    EXPECT_TRUE(exports.exit());
    dlclose(handle);
}

// The fake modules' exports: GetPluginFactory with a small factory, ModuleEntry and
// ModuleExit. With FAKE_NO_PROCESSOR the factory offers the controller class only.
#include "fake_gain_controller.h"
#include "fake_gain_processor.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/gui/iplugview.h"

namespace fake_gain {

using namespace Steinberg;

namespace {

struct ClassDef
{
    const FUID* uid;
    const char* category;
    const char* name;
};

#ifdef FAKE_NO_PROCESSOR
const ClassDef kClasses[] = {{&kControllerUid, kVstComponentControllerClass, "FakeGainController"}};
#else
const ClassDef kClasses[] = {{&kProcessorUid, kVstAudioEffectClass, "FakeGain"},
                             {&kControllerUid, kVstComponentControllerClass, "FakeGainController"}};
#endif

class Factory : public IPluginFactory2
{
public:
    tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) override
    {
        *info = PFactoryInfo("Test Vendor", "", "", PFactoryInfo::kUnicode);
        return kResultOk;
    }
    int32 PLUGIN_API countClasses() override { return static_cast<int32>(sizeof kClasses / sizeof kClasses[0]); }
    tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) override
    {
        if (index < 0 || index >= countClasses())
            return kInvalidArgument;
        TUID cid;
        kClasses[index].uid->toTUID(cid);
        *info = PClassInfo(cid, PClassInfo::kManyInstances, kClasses[index].category, kClasses[index].name);
        return kResultOk;
    }
    tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) override
    {
        if (index < 0 || index >= countClasses())
            return kInvalidArgument;
        TUID cid;
        kClasses[index].uid->toTUID(cid);
        *info = PClassInfo2(cid, PClassInfo::kManyInstances, kClasses[index].category, kClasses[index].name, 0, "Fx",
                            nullptr, "1.0.0", "VST 3.7.2");
        return kResultOk;
    }
    tresult PLUGIN_API createInstance(FIDString cid, FIDString _iid, void** obj) override
    {
        *obj = nullptr;
        FUnknown* object = nullptr;
#ifndef FAKE_NO_PROCESSOR
        if (FUnknownPrivate::iidEqual(cid, kProcessorUid.toTUID()))
            object = static_cast<Vst::IComponent*>(new Processor);
#endif
        if (FUnknownPrivate::iidEqual(cid, kControllerUid.toTUID()))
            object = static_cast<Vst::IEditController*>(new Controller);
        if (object == nullptr)
            return kNoInterface;
        const tresult result = object->queryInterface(_iid, obj);
        object->release();
        return result;
    }
    tresult PLUGIN_API queryInterface(const TUID _iid, void** obj) override
    {
        QUERY_INTERFACE(_iid, obj, FUnknown::iid, IPluginFactory)
        QUERY_INTERFACE(_iid, obj, IPluginFactory::iid, IPluginFactory)
        QUERY_INTERFACE(_iid, obj, IPluginFactory2::iid, IPluginFactory2)
        *obj = nullptr;
        return kNoInterface;
    }
    // One static factory for the module's lifetime.
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }
};

Factory factory;

} // namespace
} // namespace fake_gain

extern "C" {

__attribute__((visibility("default"))) Steinberg::IPluginFactory* GetPluginFactory()
{
    return &fake_gain::factory;
}

__attribute__((visibility("default"))) bool ModuleEntry(void*)
{
    return true;
}

__attribute__((visibility("default"))) bool ModuleExit()
{
    return true;
}
}

// Vst2Adapter: identity (names, vendor, version, category, capabilities) and
// the parameters' texts, all within the lengths VST 2 hosts reserve.
#include "vst2/vst2_adapter.h"
#include "vst2/vst2_text.h"
#include "sdk/utf8_text.h"

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

struct CategoryRule
{
    const char* word;
    VstPlugCategory category;
};

// Checked in order against the class's sub-categories, without regard to case.
constexpr CategoryRule kCategoryRules[] = {
    {"Analyzer", kPlugCategAnalysis},     {"Delay", kPlugCategRoomFx},
    {"Reverb", kPlugCategRoomFx},         {"Dynamics", kPlugCategMastering},
    {"Mastering", kPlugCategMastering},   {"Restoration", kPlugCategRestoration},
    {"Generator", kPlugCategGenerator},   {"Spatial", kPlugCategSpacializer},
    {"Fx", kPlugCategEffect},             {"Instrument", kPlugCategSynth},
};

size_t length16(const char16* text)
{
    size_t n = 0;
    while (text[n] != 0)
        ++n;
    return n;
}

} // namespace

VstIntPtr Vst2Adapter::identity(int opcode, void* ptr)
{
    char* text = static_cast<char*>(ptr);
    switch (opcode)
    {
    case effGetPlugCategory:
        for (const CategoryRule& rule : kCategoryRules)
            if (containsIgnoringCase(subCategories_.c_str(), rule.word))
                return rule.category;
        return kPlugCategUnknown;
    case effGetEffectName:
        copyVst2Text(text, effectName_.c_str(), kEffectNameSize);
        return text != nullptr ? 1 : 0;
    case effGetVendorString:
        copyVst2Text(text, vendor_.c_str(), kVendorStrSize);
        return text != nullptr ? 1 : 0;
    case effGetProductString:
        copyVst2Text(text, effectName_.c_str(), kVendorStrSize);
        return text != nullptr ? 1 : 0;
    case effGetVendorVersion:
        return effect_.version;
    default:
        return 0;
    }
}

VstIntPtr Vst2Adapter::canDo(const char* what) const
{
    const bool hasEventInput = component_->getBusCount(kEvent, kInput) > 0;
    if (equalsIgnoringCase(what, "receiveVstEvents") || equalsIgnoringCase(what, "receiveVstMidiEvent"))
        return hasEventInput ? 1 : 0;
    if (equalsIgnoringCase(what, "bypass"))
        return parameterMap_.hasBypass() ? 1 : 0;
    if (equalsIgnoringCase(what, "receiveVstTimeInfo"))
        return 1;  // every block asks for it and passes it on as the process context
    return 0;  // don't know
}

bool Vst2Adapter::parameterText(int opcode, int index, char* text)
{
    if (text == nullptr)
        return false;
    text[0] = 0;
    const ParameterInfo* info = parameterMap_.infoOf(index);
    if (info == nullptr)
        return false;
    if (opcode == effGetParamName)
    {
        // A title too long for the host's field gives way to the short title.
        const bool useShort = length16(info->title) >= static_cast<size_t>(kParamStrSize)
                              && info->shortTitle[0] != 0;
        copyVst2Text(text, useShort ? info->shortTitle : info->title, kParamStrSize);
        return true;
    }
    if (opcode == effGetParamLabel)
    {
        copyVst2Text(text, info->units, kParamStrSize);
        return true;
    }
    String128 display {};
    if (controller_->getParamStringByValue(info->id, pending_.value(index), display) != kResultOk)
        return false;
    copyVst2Text(text, display, kParamStrSize);
    return true;
}

bool Vst2Adapter::parameterFromText(int index, const char* text)
{
    const ParameterInfo* info = parameterMap_.infoOf(index);
    if (info == nullptr || text == nullptr)
        return false;
    String128 wide {};
    utf8ToString128(text, wide);
    ParamValue value = 0.0;
    if (controller_->getParamValueByString(info->id, wide, value) != kResultOk)
        return false;
    setParameter(index, static_cast<float>(value));
    return true;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg

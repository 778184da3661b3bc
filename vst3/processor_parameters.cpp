// Processor: parameter publication, units and the program list, the
// controller's parameter edits, and the conversions between a parameter's
// normalised value and a control's linear one.
#include "sdk/utf8_text.h"
#include "vst3/midi/param_update_queue.h"
#include "vst3/parameters/fast_math.h"
#include "vst3/parameters/log_parameter.h"
#include "vst3/parameters/peak_parameter.h"
#include "vst3/parameters/volt_octave_parameter.h"
#include "vst3/processor.h"
#include "vst3/processor_ids.h"

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <cmath>
#include <cstring>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {
namespace {

struct FixedParameter
{
    ParamID id;
    const char* title;
    int32 precision;
};

// The MIDI parameters, in publication order; IMidiMapping routes controllers to them.
constexpr FixedParameter kMidiParameters[] = {
    {ParamIds::kPitchBend, "PitchBend", 1},
    {ParamIds::kMidiVolume, "MIDI Vol", 1},
    {ParamIds::kMidiPan, "MIDI Pan", 1},
    {ParamIds::kModWheel, "MIDI Mod Wheel", 1},
    {ParamIds::kMidiExpression, "MIDI Expression", 1},
    {ParamIds::kChannelPressure, "MIDI Channel Pressure", 1},
    {ParamIds::kSustainPedal, "MIDI Sustain Pedal", 1},
    {ParamIds::kAllNotesOff, "All Notes Off", 1},
};

// Hands a new parameter to the container, which takes over its creation
// reference. The container can fail (run out of memory) before or after it
// wraps the parameter, and when it fails after, it has already dropped it: an
// extra reference held meanwhile tells the two apart, so that the parameter is
// freed once in either case and the failure goes on to the caller.
template <typename P>
P* adopt(ParameterContainer& parameters, IPtr<P>& guard)
{
    P* p = guard.take();
    p->addRef();
    try
    {
        parameters.addParameter(p);
    }
    catch (...)
    {
        if (p->release() > 0)
            p->release();  // never taken over: the creation reference is still ours
        throw;
    }
    p->release();
    return p;
}

// A list parameter with room for its items reserved up front: the SDK's
// appendString copies the text before it grows its list, and loses the copy
// when the list cannot grow.
class ListParameter : public StringListParameter
{
public:
    ListParameter(const TChar* title, ParamID id, int32 flags, size_t items)
        : StringListParameter(title, id, nullptr, flags, 0)
    {
        strings.reserve(items);
    }
};

Parameter* addRange(ParameterContainer& parameters, const char* title, ParamID id,
                    ParamValue defaultPlain, int32 flags, int32 precision)
{
    String128 t {};
    utf8ToString128(title, t);
    IPtr<RangeParameter> p =
        owned(new RangeParameter(t, id, nullptr, 0.0, 1.0, defaultPlain, 0, flags, 0));
    if (precision >= 0)
        p->setPrecision(precision);
    return adopt(parameters, p);
}

bool isNonEmpty(const char* text)
{
    return text != nullptr && text[0] != 0;
}


} // namespace

bool Processor::enumItem(const char* list, int32 k, std::string& item)
{
    if (k < 0)
        return false;
    std::string rest = list != nullptr ? list : "";
    for (int32 position = 0;; ++position)
    {
        const size_t comma = rest.find(',');
        if (position == k)
        {
            item = rest.substr(0, comma);
            if (item == "SWITCH_OFF")
                item = "OFF";
            else if (item == "SWITCH_ON")
                item = "ON";
            return true;
        }
        if (comma == std::string::npos)
            return false;
        rest.erase(0, comma + 1);
    }
}

float Processor::voltOctaveToLinear(double value, const CControlDescriptor& c)
{
    if (c.dataType == kDataUInt)
        return c.uintVariable != nullptr ? static_cast<float>(*c.uintVariable) : 0.0f;
    const float min = c.minValue;
    const float max = c.maxValue;
    const float exponent = static_cast<float>(static_cast<double>(fastLog2(max / min)) * value);
    return (fastPow2(exponent) * min - min) / (max - min);
}

float Processor::linearToVoltOctave(double plain, const CControlDescriptor& c)
{
    const float ratio = static_cast<float>(plain) / c.minValue;
    const float range = c.maxValue / c.minValue;
    return static_cast<float>(static_cast<double>(fastLog2(ratio)) / fastLog2(range));
}

float Processor::toLinear(const CControlDescriptor& c, double value) const
{
    if (c.logScale)
        return static_cast<float>(std::log10(9.0 * static_cast<float>(value) + 1.0));
    if (c.voltOctave)
        return voltOctaveToLinear(value, c);
    return static_cast<float>(value);
}

void Processor::publishParameters()
{
    for (int32 i = 0; plugIn_ != nullptr && i < controlCount(); ++i)
    {
        const CControlDescriptor* c = controls_[static_cast<size_t>(i)];
        if (c == nullptr)
            continue;
        const ParamID id = static_cast<ParamID>(i);
        if (sampleAccurate_ && static_cast<size_t>(i) < updateQueues_.size())
            updateQueues_[static_cast<size_t>(i)] = std::make_unique<CVSTParamUpdateQueue>(
                &updateGranularity_, c->minValue, c->maxValue);

        String128 title {};
        String128 unitText {};
        utf8ToString128(c->name, title);
        utf8ToString128(c->units, unitText);
        if (c->controlType == kControlTypeMeter)
        {
            IPtr<PeakParameter> p = owned(new PeakParameter(ParameterInfo::kIsReadOnly, id, title));
            p->setNormalized(0.0);
            adopt(parameters, p);
            meterControls_.push_back(i);
            continue;
        }
        if (!c->isPublished())
            continue;
        if (c->dataType == kDataUInt)
        {
            std::string item;
            int32 items = 0;
            while (enumItem(c->enumString, items, item))
                ++items;
            IPtr<StringListParameter> p = owned(
                new ListParameter(title, id, ParameterInfo::kCanAutomate | ParameterInfo::kIsList,
                                  static_cast<size_t>(items)));
            String128 text {};
            for (int32 k = 0; enumItem(c->enumString, k, item); ++k)
            {
                utf8ToString128(item.c_str(), text);
                p->appendString(text);
            }
            adopt(parameters, p);
            continue;
        }
        const double def = plugIn_->getControlValue(static_cast<uint32_t>(i));
        const double min = c->minValue;
        const double max = c->maxValue;
        const int32 flags = ParameterInfo::kCanAutomate;
        IPtr<Parameter> p;
        if (c->logScale)
            p = owned(new LogParameter(title, id, unitText, min, max, def, 0, flags, 0));
        else if (c->voltOctave)
            p = owned(new VoltOctaveParameter(title, id, unitText, min, max, def, 0, flags, 0));
        else
            p = owned(new RangeParameter(title, id, unitText, min, max, def, 0, flags, 0));
        p->setPrecision(c->dataType == kDataInt ? 0 : c->precision);
        adopt(parameters, p);
    }

    if (plugIn_ != nullptr)
    {
        addRange(parameters, "VectorJoystick X", ParamIds::kJoystickX, 0.5, ParameterInfo::kCanAutomate, 2);
        addRange(parameters, "VectorJoystick Y", ParamIds::kJoystickY, 0.5, ParameterInfo::kCanAutomate, 2);
        const ParamID buttons[3] = {ParamIds::kButton1, ParamIds::kButton2, ParamIds::kButton3};
        for (int b = 0; b < 3; ++b)
            if (isNonEmpty(plugIn_->m_pszButtonNames[b]))
                addRange(parameters, plugIn_->m_pszButtonNames[b], buttons[b], 0.0,
                         ParameterInfo::kCanAutomate, 0);
    }
    addRange(parameters, "Bypass", ParamIds::kBypass, 0.0,
             ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass, -1);
    for (const FixedParameter& f : kMidiParameters)
        addRange(parameters, f.title, f.id, 0.0, ParameterInfo::kCanAutomate, f.precision);
}

void Processor::buildUnitsAndPrograms()
{
    units.clear();
    units.reserve(2);  // adding a unit then cannot fail half-way and lose it
    int32 presetCount = 0;
    for (int s = 0; plugIn_ != nullptr && s < CPlugIn::kPresetSlots; ++s)
        if (isNonEmpty(plugIn_->m_pszPresetNames[s]))
            ++presetCount;

    UnitInfo root {};
    root.id = UnitIds::kRootUnit;
    root.parentUnitId = 0;
    utf8ToString128("RootUnit", root.name);
    root.programListId = kNoProgramListId;
    addUnit(new Unit(root));
    if (presetCount == 0)
        return;

    UnitInfo presets {};
    presets.id = UnitIds::kPresetsUnit;
    presets.parentUnitId = UnitIds::kRootUnit;
    utf8ToString128("PresetsUnit", presets.name);
    presets.programListId = ParamIds::kFactoryPresets;
    addUnit(new Unit(presets));

    String128 title {};
    utf8ToString128("Factory Presets", title);
    IPtr<StringListParameter> list = owned(
        new ListParameter(title, ParamIds::kFactoryPresets,
                          ParameterInfo::kIsProgramChange | ParameterInfo::kIsList,
                          static_cast<size_t>(presetCount)));
    String128 name {};
    for (int s = 0; s < CPlugIn::kPresetSlots; ++s)
        if (isNonEmpty(plugIn_->m_pszPresetNames[s]))
        {
            utf8ToString128(plugIn_->m_pszPresetNames[s], name);
            list->appendString(name);
        }
    // Before a successful initialize the container is not set up, and a second
    // initialize must not add the list twice.
    if (parameters.getParameter(ParamIds::kFactoryPresets) == nullptr)
        adopt(parameters, list);
}

tresult PLUGIN_API Processor::setParamNormalized(ParamID id, ParamValue value)
{
    const tresult result = EditControllerEx1::setParamNormalized(id, value);
    notifyEditorParameter(id, value);
    if (result == kResultOk && id == ParamIds::kFactoryPresets)
        applyProgram(value);
    return result;
}

void Processor::notifyEditorParameter(ParamID id, ParamValue value)
{
    if (plugIn_ == nullptr)
        return;
    EditorMessage message {};
    message.kind = EditorMessage::kParameterChanged;
    message.parameterTag = static_cast<int32_t>(id);
    message.value = value;
    plugIn_->receiveEditorMessage(&message);
}

void Processor::sendEditorMessage(int32 kind)
{
    if (plugIn_ == nullptr)
        return;
    editorMessage_.kind = kind;
    editorMessage_.viewName = "";
    editorMessage_.secondText = "";
    editorMessage_.editor = nullptr;
    editorMessage_.parentWindow = nullptr;
    editorMessage_.answerFlag = false;
    plugIn_->receiveEditorMessage(&editorMessage_);
}

int32 PLUGIN_API Processor::getProgramListCount()
{
    return parameters.getParameter(ParamIds::kFactoryPresets) != nullptr ? 1 : 0;
}

tresult PLUGIN_API Processor::getProgramListInfo(int32 listIndex, ProgramListInfo& info)
{
    Parameter* list = parameters.getParameter(ParamIds::kFactoryPresets);
    if (list == nullptr || listIndex != 0)
        return kResultFalse;
    info.id = ParamIds::kFactoryPresets;
    utf8ToString128("Presets", info.name);
    info.programCount = static_cast<int32>(list->toPlain(1.0)) + 1;
    return kResultOk;
}

tresult PLUGIN_API Processor::getProgramName(ProgramListID listId, int32 programIndex, String128 name)
{
    Parameter* list = parameters.getParameter(ParamIds::kFactoryPresets);
    if (listId != ParamIds::kFactoryPresets || list == nullptr || programIndex < 0
        || programIndex > static_cast<int32>(list->toPlain(1.0)))
        return kResultFalse;
    list->toString(list->toNormalized(programIndex), name);
    return kResultOk;
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg

// Test doubles for the MIDI tests: a plug-in that records its MIDI calls and
// host-side event lists and parameter queues built from plain vectors.
#pragma once

#include "framework/plugin.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <gmock/gmock.h>

#include <utility>
#include <vector>

namespace corvale_test {

using namespace Steinberg;
using namespace Steinberg::Vst;

class MockPlugIn : public CPlugIn
{
public:
    MOCK_METHOD(bool, noteOn, (uint32_t channel, uint32_t note, uint32_t velocity), (override));
    MOCK_METHOD(bool, noteOff, (uint32_t channel, uint32_t note, uint32_t velocity, bool allNotesOff),
                (override));
    MOCK_METHOD(bool, modWheel, (uint32_t channel, uint32_t value), (override));
    MOCK_METHOD(bool, pitchBend, (uint32_t channel, int32_t value, float normalized), (override));
    MOCK_METHOD(bool, clockTick, (), (override));
    MOCK_METHOD(bool, rawMidiMessage,
                (uint32_t channel, uint32_t status, uint32_t data1, uint32_t data2), (override));
};

// Plain FUnknown for stack-allocated test objects: no reference counting.
#define CORVALE_TEST_FUNKNOWN                                                          \
    tresult PLUGIN_API queryInterface(const TUID, void** obj) override                 \
    {                                                                                  \
        *obj = nullptr;                                                                \
        return kNoInterface;                                                           \
    }                                                                                  \
    uint32 PLUGIN_API addRef() override { return 1; }                                  \
    uint32 PLUGIN_API release() override { return 1; }

class VectorEventList : public IEventList
{
public:
    explicit VectorEventList(std::vector<Event> events) : m_events(std::move(events)) {}
    int32 PLUGIN_API getEventCount() override { return static_cast<int32>(m_events.size()); }
    tresult PLUGIN_API getEvent(int32 index, Event& e) override
    {
        if (index < 0 || index >= getEventCount())
            return kResultFalse;
        e = m_events[static_cast<size_t>(index)];
        return kResultOk;
    }
    tresult PLUGIN_API addEvent(Event& e) override
    {
        m_events.push_back(e);
        return kResultOk;
    }
    CORVALE_TEST_FUNKNOWN

private:
    std::vector<Event> m_events;
};

class VectorParamQueue : public IParamValueQueue
{
public:
    VectorParamQueue(ParamID id, std::vector<std::pair<int32, ParamValue>> points)
    : m_id(id), m_points(std::move(points))
    {
    }
    ParamID PLUGIN_API getParameterId() override { return m_id; }
    int32 PLUGIN_API getPointCount() override { return static_cast<int32>(m_points.size()); }
    tresult PLUGIN_API getPoint(int32 index, int32& sampleOffset, ParamValue& value) override
    {
        ++reads;
        if (index < 0 || index >= getPointCount())
            return kResultFalse;
        sampleOffset = m_points[static_cast<size_t>(index)].first;
        value = m_points[static_cast<size_t>(index)].second;
        return kResultOk;
    }
    tresult PLUGIN_API addPoint(int32 sampleOffset, ParamValue value, int32& index) override
    {
        index = getPointCount();
        m_points.emplace_back(sampleOffset, value);
        return kResultOk;
    }
    CORVALE_TEST_FUNKNOWN

    int reads = 0;

private:
    ParamID m_id;
    std::vector<std::pair<int32, ParamValue>> m_points;
};

inline Event noteOnEvent(int32 offset, int16 channel, int16 pitch, float velocity)
{
    Event e = {};
    e.type = Event::kNoteOnEvent;
    e.sampleOffset = offset;
    e.noteOn.channel = channel;
    e.noteOn.pitch = pitch;
    e.noteOn.velocity = velocity;
    return e;
}

inline Event noteOffEvent(int32 offset, int16 channel, int16 pitch, float velocity)
{
    Event e = {};
    e.type = Event::kNoteOffEvent;
    e.sampleOffset = offset;
    e.noteOff.channel = channel;
    e.noteOff.pitch = pitch;
    e.noteOff.velocity = velocity;
    return e;
}

inline Event polyPressureEvent(int32 offset, int16 channel, int16 pitch, float pressure)
{
    Event e = {};
    e.type = Event::kPolyPressureEvent;
    e.sampleOffset = offset;
    e.polyPressure.channel = channel;
    e.polyPressure.pitch = pitch;
    e.polyPressure.pressure = pressure;
    return e;
}

/// A raw MIDI message wrapped as the chord event the host side sends.
inline Event wrappedMidi(int16 channel, int16 status, int16 data1, uint16 data2,
                         const TChar* text = u"TARNMIDI")
{
    Event e = {};
    e.type = Event::kChordEvent;
    e.chord.root = channel;
    e.chord.bassNote = status;
    e.chord.mask = data1;
    e.chord.textLen = data2;
    e.chord.text = text;
    return e;
}

}  // namespace corvale_test

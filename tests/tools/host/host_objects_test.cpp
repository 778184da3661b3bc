// The host-side interface objects keep the contracts plug-ins rely on.
#include "host/component_handler.h"
#include "host/event_list.h"
#include "host/host_application.h"
#include "host/string_convert.h"
#include "host/param_change_fifo.h"
#include "host/parameter_changes.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivstpluginterfacesupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <utility>
#include <vector>

using namespace corvale::host;
using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

std::vector<std::pair<int32, ParamValue>> points(IParamValueQueue& q)
{
    std::vector<std::pair<int32, ParamValue>> result;
    for (int32 i = 0; i < q.getPointCount(); ++i) {
        int32 offset = -1;
        ParamValue value = -1;
        EXPECT_EQ(q.getPoint(i, offset, value), kResultOk);
        result.emplace_back(offset, value);
    }
    return result;
}

} // namespace

TEST(ParamValueQueue, KeepsPointsSortedAndReplacesSameOffset)
{
    ParamValueQueue q(8);
    q.reset(7);
    int32 index = -1;
    ASSERT_EQ(q.addPoint(20, 0.2, index), kResultOk);
    EXPECT_EQ(index, 0);
    ASSERT_EQ(q.addPoint(0, 0.0, index), kResultOk);
    EXPECT_EQ(index, 0);
    ASSERT_EQ(q.addPoint(10, 0.1, index), kResultOk);
    EXPECT_EQ(index, 1);
    ASSERT_EQ(q.addPoint(10, 0.15, index), kResultOk); // same offset: value replaced
    EXPECT_EQ(index, 1);
    EXPECT_EQ(q.getParameterId(), 7u);
    EXPECT_EQ(points(q), (std::vector<std::pair<int32, ParamValue>> {{0, 0.0}, {10, 0.15}, {20, 0.2}}));
}

TEST(ParamValueQueue, RefusesOutOfRangeReadsAndWritesPastCapacity)
{
    ParamValueQueue q(2);
    q.reset(1);
    int32 offset = 0, index = 0;
    ParamValue value = 0;
    EXPECT_EQ(q.getPoint(0, offset, value), kResultFalse);
    ASSERT_EQ(q.addPoint(0, 0.5, index), kResultOk);
    ASSERT_EQ(q.addPoint(5, 0.6, index), kResultOk);
    EXPECT_EQ(q.addPoint(3, 0.7, index), kResultFalse);
    EXPECT_EQ(q.addPoint(5, 0.9, index), kResultOk) << "replacing needs no room";
    EXPECT_EQ(points(q), (std::vector<std::pair<int32, ParamValue>> {{0, 0.5}, {5, 0.9}}));
    EXPECT_EQ(q.getPoint(-1, offset, value), kResultFalse);
    EXPECT_EQ(q.getPoint(2, offset, value), kResultFalse);
}

TEST(ParameterChanges, AddParameterDataReusesTheQueueOfAnId)
{
    ParameterChanges changes(4, 4);
    int32 first = -1, second = -1, again = -1;
    IParamValueQueue* a = changes.addParameterData(3, first);
    IParamValueQueue* b = changes.addParameterData(9, second);
    IParamValueQueue* c = changes.addParameterData(3, again);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a, c);
    EXPECT_EQ(first, again);
    EXPECT_NE(first, second);
    EXPECT_EQ(changes.getParameterCount(), 2);
    EXPECT_EQ(changes.getParameterData(second), b);
    EXPECT_EQ(changes.getParameterData(2), nullptr);
    EXPECT_EQ(changes.getParameterData(-1), nullptr);
}

TEST(ParameterChanges, FullListRefusesNewIdsAndClearStartsOver)
{
    ParameterChanges changes(2, 4);
    EXPECT_TRUE(changes.addChange(1, 0, 0.1));
    EXPECT_TRUE(changes.addChange(2, 0, 0.2));
    EXPECT_FALSE(changes.addChange(3, 0, 0.3));
    EXPECT_TRUE(changes.addChange(2, 8, 0.25)) << "existing ids still take points";
    ParamValue last = 0;
    ASSERT_TRUE(changes.lastValue(2, last));
    EXPECT_EQ(last, 0.25);
    EXPECT_FALSE(changes.lastValue(3, last));

    changes.clear();
    EXPECT_EQ(changes.getParameterCount(), 0);
    ASSERT_TRUE(changes.addChange(3, 0, 0.3));
    ASSERT_NE(changes.findQueue(3), nullptr);
    EXPECT_EQ(changes.findQueue(3)->getPointCount(), 1) << "a reused queue starts empty";
}

TEST(ParameterChanges, AnswersItsInterfacesOnly)
{
    ParameterChanges changes(1, 1);
    void* obj = nullptr;
    EXPECT_EQ(changes.queryInterface(IParameterChanges::iid, &obj), kResultOk);
    EXPECT_EQ(obj, static_cast<IParameterChanges*>(&changes));
    EXPECT_EQ(changes.queryInterface(IEventList::iid, &obj), kNoInterface);
    EXPECT_EQ(obj, nullptr);
}

TEST(EventList, StoresCopiesUpToCapacity)
{
    EventList list(2);
    Event e {};
    e.type = Event::kNoteOnEvent;
    e.sampleOffset = 3;
    e.noteOn.pitch = 60;
    ASSERT_EQ(list.addEvent(e), kResultOk);
    e.sampleOffset = 9;
    e.noteOn.pitch = 64;
    ASSERT_EQ(list.addEvent(e), kResultOk);
    EXPECT_EQ(list.addEvent(e), kResultFalse);
    EXPECT_EQ(list.getEventCount(), 2);

    Event out {};
    ASSERT_EQ(list.getEvent(0, out), kResultOk);
    EXPECT_EQ(out.sampleOffset, 3);
    EXPECT_EQ(out.noteOn.pitch, 60);
    EXPECT_EQ(list.getEvent(2, out), kResultFalse);
    EXPECT_EQ(list.getEvent(-1, out), kResultFalse);
    list.clear();
    EXPECT_EQ(list.getEventCount(), 0);
    EXPECT_EQ(list.getEvent(0, out), kResultFalse);
}

TEST(ParamChangeFifo, DeliversInOrderAcrossThreadsAndReportsFull)
{
    ParamChangeFifo small(2);
    EXPECT_TRUE(small.push(1, 0.1));
    EXPECT_TRUE(small.push(2, 0.2));
    EXPECT_FALSE(small.push(3, 0.3));

    ParamChangeFifo fifo(16);
    constexpr int kCount = 4000;
    std::thread producer([&] {
        for (int i = 0; i < kCount;) {
            if (fifo.push(static_cast<ParamID>(i), i * 0.5))
                ++i;
            else
                std::this_thread::yield();
        }
    });
    int expected = 0;
    ParamChangeFifo::Change c {};
    while (expected < kCount) {
        if (fifo.pop(c)) {
            ASSERT_EQ(c.id, static_cast<ParamID>(expected));
            ASSERT_EQ(c.value, expected * 0.5);
            ++expected;
        } else {
            std::this_thread::yield();
        }
    }
    producer.join();
    EXPECT_FALSE(fifo.pop(c));
}

TEST(ComponentHandler, RecordsEditsRestartsAndGroupEdits)
{
    IPtr<ComponentHandler> handler = owned(new ComponentHandler);
    IComponentHandler* asHandler = handler;
    asHandler->beginEdit(4);
    asHandler->performEdit(4, 0.25);
    asHandler->endEdit(4);
    asHandler->restartComponent(kParamValuesChanged);
    asHandler->restartComponent(kLatencyChanged);
    using Kind = ComponentHandler::EditKind;
    EXPECT_EQ(handler->edits(), (std::vector<ComponentHandler::Edit> {
                                    {Kind::Begin, 4, 0.0}, {Kind::Perform, 4, 0.25}, {Kind::End, 4, 0.0}}));
    EXPECT_EQ(handler->restartRequests(), (std::vector<int32> {kParamValuesChanged, kLatencyChanged}));

    FUnknownPtr<IComponentHandler2> second(asHandler);
    ASSERT_TRUE(second);
    second->setDirty(true);
    second->startGroupEdit();
    second->finishGroupEdit();
    EXPECT_TRUE(handler->dirty());
    EXPECT_EQ(handler->groupEditsStarted(), 1);
    EXPECT_EQ(handler->groupEditsFinished(), 1);

    handler->clear();
    EXPECT_TRUE(handler->edits().empty());
    EXPECT_TRUE(handler->restartRequests().empty());
}

TEST(HostApplication, NamesItselfCreatesMessagesAndReportsInterfaceSupport)
{
    IPtr<HostApplication> host = owned(new HostApplication);
    String128 name {};
    ASSERT_EQ(host->getName(name), kResultOk);
    EXPECT_EQ(toUtf8(name), HostApplication::kName);

    void* obj = nullptr;
    TUID messageIid, listIid;
    std::memcpy(messageIid, IMessage::iid, sizeof(TUID));
    std::memcpy(listIid, IAttributeList::iid, sizeof(TUID));
    ASSERT_EQ(host->createInstance(messageIid, messageIid, &obj), kResultOk);
    IPtr<IMessage> message = owned(static_cast<IMessage*>(obj));
    message->setMessageID("ping");
    EXPECT_STREQ(message->getMessageID(), "ping");
    ASSERT_NE(message->getAttributes(), nullptr);
    EXPECT_EQ(host->createInstance(listIid, messageIid, &obj), kResultFalse);
    EXPECT_EQ(obj, nullptr);

    FUnknownPtr<IPlugInterfaceSupport> support(static_cast<IHostApplication*>(host));
    ASSERT_TRUE(support) << "plug-ins ask the host context which interfaces it supports";
    EXPECT_EQ(support->isPlugInterfaceSupported(IAudioProcessor::iid), kResultTrue);
}

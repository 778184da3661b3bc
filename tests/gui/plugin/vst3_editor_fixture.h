// A VST3Editor on a small edit controller of the SDK's kind, attached headless to the
// host library's plug frame and run loop, with a component handler recording what the
// host hears. The controller is also the editor's delegate and records its calls.
//
// Parameters: 0 "Level" -12..12 dB (precision 2), 1 "Mode" a list A/B/C, 2 "Meter"
// read-only. The description (vst3_editor_test.uidesc) binds sliders and text views to
// them and to tag 99, which has no parameter.
#pragma once

#include "frame_input.h"
#include "headless_window.h"

#include "gui/cslider.h"
#include "gui/ctextedit.h"
#include "gui/plugin/vst3_editor.h"
#include "host/component_handler.h"
#include "host/plug_frame.h"
#include "host/run_loop.h"

#include "public.sdk/source/vst/vstparameters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvale::test {

class DelegatingController : public Steinberg::Vst::EditController, public VSTGUI::VST3EditorDelegate
{
public:
    DelegatingController()
    {
        using namespace Steinberg::Vst;
        auto* level = new RangeParameter(STR16("Level"), 0, STR16("dB"), -12.0, 12.0, 0.0);
        level->setPrecision(2);
        parameters.addParameter(level);
        auto* mode = new StringListParameter(STR16("Mode"), 1);
        mode->appendString(STR16("A"));
        mode->appendString(STR16("B"));
        mode->appendString(STR16("C"));
        parameters.addParameter(mode);
        parameters.addParameter(STR16("Meter"), nullptr, 0, 0.0, ParameterInfo::kIsReadOnly, 2);
    }

    VSTGUI::CView* createCustomView(VSTGUI::UTF8StringPtr name, const VSTGUI::UIAttributes&,
                                    const VSTGUI::IUIDescription*, VSTGUI::VST3Editor*) override
    {
        customViewNames.push_back(name);
        if (std::string(name) == "Probe" && makeProbe)
        {
            probe = new VSTGUI::CSlider(VSTGUI::CRect(0, 0, 1, 1), nullptr, -1, nullptr, nullptr);
            return probe;
        }
        return nullptr;
    }
    VSTGUI::CView* verifyView(VSTGUI::CView* view, const VSTGUI::UIAttributes&,
                              const VSTGUI::IUIDescription*, VSTGUI::VST3Editor*) override
    {
        ++verified;
        return view;
    }
    bool findParameter(const VSTGUI::CPoint&, Steinberg::Vst::ParamID& id, VSTGUI::VST3Editor*) override
    {
        if (!answerFind)
            return false;
        id = 1234;
        return true;
    }
    bool isPrivateParameter(const Steinberg::Vst::ParamID id) override { return id == privateId; }
    void didOpen(VSTGUI::VST3Editor* editor) override
    {
        events.push_back(std::string("didOpen ") + (editor->getFrame() && editor->getFrame()->getNbViews() ? "with views" : "empty"));
    }
    void willClose(VSTGUI::VST3Editor* editor) override
    {
        events.push_back(std::string("willClose ") + (editor->getFrame() && editor->getFrame()->getNbViews() ? "with views" : "empty"));
    }
    VSTGUI::IController* createSubController(VSTGUI::UTF8StringPtr name, const VSTGUI::IUIDescription*,
                                             VSTGUI::VST3Editor*) override
    {
        subControllerNames.push_back(name);
        return nullptr;
    }

    std::vector<std::string> customViewNames;
    std::vector<std::string> subControllerNames;
    std::vector<std::string> events;
    int verified = 0;
    bool makeProbe = false;
    bool answerFind = false;
    Steinberg::Vst::ParamID privateId = 0xffffffff;
    VSTGUI::CSlider* probe = nullptr;
};

class VST3EditorFixture : public ::testing::Test
{
protected:
    using Edit = host::ComponentHandler::Edit;
    using Kind = host::ComponentHandler::EditKind;

    void SetUp() override { controller->setComponentHandler(handler); }
    void TearDown() override
    {
        if (editor)
        {
            editor->removed();
            editor->setFrame(nullptr);
            editor = nullptr;
        }
        controller->setComponentHandler(nullptr);
    }

    /// A new editor of `templateName`, attached; false when attaching failed.
    bool open(const char* templateName = "Main", const char* description = "vst3_editor_test.uidesc")
    {
        editor = Steinberg::owned(new VSTGUI::VST3Editor(controller, templateName, description));
        editor->setPlatformFrameFactory(headlessWindows(windows));
        editor->setFrame(plugFrame);
        return editor->attached(reinterpret_cast<void*>(0x42), Steinberg::kPlatformTypeX11EmbedWindowID)
               == Steinberg::kResultOk;
    }
    VSTGUI::CFrame* frame() const { return editor->getFrame(); }

    /// Every view of class T in the frame, in document order.
    template <class T>
    std::vector<T*> views() const
    {
        std::vector<T*> result;
        frame()->getChildViewsOfType<T>(result);
        return result;
    }
    /// The controls bound to `tag`, in document order.
    template <class T>
    std::vector<T*> tagged(int32_t tag) const
    {
        std::vector<T*> result;
        for (T* v : views<T>())
            if (v->getTag() == tag)
                result.push_back(v);
        return result;
    }
    Steinberg::Vst::ParamValue value(Steinberg::Vst::ParamID id) const
    {
        return controller->getParamNormalized(id);
    }
    std::string text(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue normalized) const
    {
        Steinberg::Vst::String128 s {};
        controller->getParamStringByValue(id, normalized, s);
        std::string out;
        for (int i = 0; s[i]; ++i)
            out += static_cast<char>(s[i]);
        return out;
    }

    Steinberg::IPtr<DelegatingController> controller = Steinberg::owned(new DelegatingController);
    Steinberg::IPtr<host::ComponentHandler> handler = Steinberg::owned(new host::ComponentHandler);
    Steinberg::IPtr<host::RunLoop> loop = Steinberg::owned(new host::RunLoop);
    Steinberg::IPtr<host::PlugFrame> plugFrame = Steinberg::owned(new host::PlugFrame(loop, nullptr));
    std::shared_ptr<HeadlessWindowLog> windows = std::make_shared<HeadlessWindowLog>();
    Steinberg::IPtr<VSTGUI::VST3Editor> editor;
};

} // namespace corvale::test

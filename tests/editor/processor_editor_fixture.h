// A Processor (around whatever plug-in the test binary's createPlugIn makes), initialised
// with the host library's context and component handler, and its editor views attached
// headless to a plug frame on the host library's run loop.
#pragma once

#include "editor/vst3_editor_wp.h"
#include "host/component_handler.h"
#include "host/host_application.h"
#include "host/plug_frame.h"
#include "host/run_loop.h"
#include "vst3/processor.h"

#include "frame_input.h"
#include "headless_window.h"

#include <gtest/gtest.h>

namespace corvale::test {

class ProcessorEditorFixture : public ::testing::Test
{
protected:
    using Edit = host::ComponentHandler::Edit;
    using Kind = host::ComponentHandler::EditKind;

    /// Builds and initialises the component.
    void SetUpProcessor()
    {
        processor = Steinberg::owned(new Steinberg::Vst::Rive2ZOD3::Processor);
        ASSERT_EQ(processor->initialize(hostContext), Steinberg::kResultOk);
        processor->setComponentHandler(handler);
    }
    void SetUp() override { SetUpProcessor(); }
    void TearDown() override
    {
        if (view)
        {
            view->removed();
            view->setFrame(nullptr);
            view = nullptr;
        }
        if (processor)
        {
            processor->setComponentHandler(nullptr);
            processor->terminate();
        }
    }

    /// The view createView("editor") gives, kept as `view`.
    Steinberg::Vst::VSTGUIEditor* createEditor()
    {
        view = Steinberg::owned(processor->createView(Steinberg::Vst::ViewType::kEditor));
        return dynamic_cast<Steinberg::Vst::VSTGUIEditor*>(view.get());
    }
    /// Attaches `view` headless; false when that failed.
    bool attach()
    {
        auto* editor = dynamic_cast<Steinberg::Vst::VSTGUIEditor*>(view.get());
        if (!editor)
            return false;
        editor->setPlatformFrameFactory(headlessWindows(windows));
        view->setFrame(plugFrame);
        return view->attached(reinterpret_cast<void*>(0x42), Steinberg::kPlatformTypeX11EmbedWindowID)
               == Steinberg::kResultOk;
    }
    VSTGUI::CFrame* frame() const
    {
        auto* editor = dynamic_cast<Steinberg::Vst::VSTGUIEditor*>(view.get());
        return editor ? editor->getFrame() : nullptr;
    }
    template <class T>
    std::vector<T*> tagged(int32_t tag) const
    {
        std::vector<T*> all;
        std::vector<T*> result;
        frame()->getChildViewsOfType<T>(all);
        for (T* v : all)
            if (v->getTag() == tag)
                result.push_back(v);
        return result;
    }
    Steinberg::Vst::ParamValue value(Steinberg::Vst::ParamID id) const
    {
        return processor->getParamNormalized(id);
    }

    Steinberg::IPtr<host::HostApplication> hostContext = Steinberg::owned(new host::HostApplication);
    Steinberg::IPtr<host::ComponentHandler> handler = Steinberg::owned(new host::ComponentHandler);
    Steinberg::IPtr<host::RunLoop> loop = Steinberg::owned(new host::RunLoop);
    Steinberg::IPtr<host::PlugFrame> plugFrame = Steinberg::owned(new host::PlugFrame(loop, nullptr));
    std::shared_ptr<HeadlessWindowLog> windows = std::make_shared<HeadlessWindowLog>();
    Steinberg::IPtr<Steinberg::Vst::Rive2ZOD3::Processor> processor;
    Steinberg::IPtr<Steinberg::IPlugView> view;
};

} // namespace corvale::test

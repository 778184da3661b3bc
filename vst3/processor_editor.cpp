// Processor: the editor view and the editor's opening and closing.
#include "vst3/processor.h"

#include "editor/ctarn_custom_view.h"
#include "editor/vst3_editor_wp.h"

#include <cstring>
#include <new>

namespace Steinberg {
namespace Vst {
namespace Rive2ZOD3 {

IPlugView* PLUGIN_API Processor::createView(FIDString name)
{
    if (plugIn_ == nullptr || name == nullptr || std::strcmp(name, ViewType::kEditor) != 0
        || !plugIn_->m_bHasEditor)
        return nullptr;
    try
    {
        EditorMessage query {};
        query.kind = EditorMessage::kDrawsOwnEditor;
        query.answerFlag = false;
        plugIn_->receiveEditorMessage(&query);
        if (query.answerFlag)
        {
            ViewRect rect(0, 0, 100, 100);
            auto* view = new CTarnCustomView(this, &rect);
            view->setPlugIn(plugIn_);
            return view;
        }
        auto* editor = new VST3EditorWP(this, "Editor", "tarn.uidesc");
        editor->setKnobMode(plugIn_->m_nKnobMode);
        editor->setPlugIn(plugIn_);
        return editor;
    }
    catch (const std::bad_alloc&)
    {
        // The host shows no editor rather than unwinding through its own code.
        return nullptr;
    }
}

void Processor::didOpen(VSTGUI::VST3Editor*)
{
    sendEditorMessage(EditorMessage::kOpened);
}

void Processor::willClose(VSTGUI::VST3Editor*)
{
    sendEditorMessage(EditorMessage::kClosing);
}

} // namespace Rive2ZOD3
} // namespace Vst
} // namespace Steinberg

// The component's editor side around an EditorSpyPlugIn, configured before each
// component is built. The views read the tests' own small description, embedded under
// the name the component asks for ("tarn.uidesc").
#pragma once

#include "editor_spy_plugin.h"
#include "processor_editor_fixture.h"

namespace corvale::test {

class SpyEditorFixture : public ProcessorEditorFixture
{
protected:
    void SetUp() override { SetUpProcessor(); }
    /// Builds the component around a spy made with `config`.
    void SetUpProcessor(const EditorSpyConfig& config = {})
    {
        editorSpyConfig() = config;
        ProcessorEditorFixture::SetUpProcessor();
    }
    EditorSpyPlugIn& spy() const { return *static_cast<EditorSpyPlugIn*>(processor->plugInObject()); }
};

} // namespace corvale::test

// The equaliser's editor as the component builds it from the real description and
// bitmaps (embedded in the test as in the module), attached headless, with the
// controls the tests look for found by kind and tag.
#pragma once

#include "processor_editor_fixture.h"

#include "gui/canimknob.h"
#include "gui/cslider.h"
#include "gui/ctextedit.h"

#include <algorithm>
#include <string>
#include <vector>

namespace corvale::test {

class EqualiserEditorFixture : public ProcessorEditorFixture
{
protected:
    static constexpr int kBands = 15;
    static constexpr Steinberg::Vst::ParamID kGain = 15;

    void SetUp() override
    {
        ProcessorEditorFixture::SetUp();
        ASSERT_NE(createEditor(), nullptr);
        ASSERT_TRUE(attach());
    }

    /// Every view of class T, left to right.
    template <class T>
    std::vector<T*> byX() const
    {
        std::vector<T*> all;
        frame()->getChildViewsOfType<T>(all);
        std::stable_sort(all.begin(), all.end(),
                         [](T* a, T* b) { return frameRectOf(a).left < frameRectOf(b).left; });
        return all;
    }
    /// The text labels that are not text edits, left to right.
    std::vector<VSTGUI::CTextLabel*> plainLabels() const
    {
        std::vector<VSTGUI::CTextLabel*> result;
        for (VSTGUI::CTextLabel* l : byX<VSTGUI::CTextLabel>())
            if (!dynamic_cast<VSTGUI::CTextEdit*>(l))
                result.push_back(l);
        return result;
    }
    /// The one control of class T with `tag`.
    template <class T>
    T* control(int32_t tag) const
    {
        const std::vector<T*> found = tagged<T>(tag);
        EXPECT_EQ(found.size(), 1u) << "tag " << tag;
        return found.empty() ? nullptr : found[0];
    }
    /// The controller's title and display text.
    std::string title(Steinberg::Vst::ParamID id) const
    {
        Steinberg::Vst::ParameterInfo info {};
        for (Steinberg::int32 i = 0; i < processor->getParameterCount(); ++i)
            if (processor->getParameterInfo(i, info) == Steinberg::kResultOk && info.id == id)
                return ascii(info.title);
        return {};
    }
    std::string text(Steinberg::Vst::ParamID id) const
    {
        Steinberg::Vst::String128 s {};
        processor->getParamStringByValue(id, value(id), s);
        return ascii(s);
    }
    static std::string ascii(const Steinberg::Vst::TChar* s)
    {
        std::string out;
        for (; *s; ++s)
            out += static_cast<char>(*s);
        return out;
    }
};

} // namespace corvale::test

// A stand-in for the X11 window of an editor's frame, for tests without a display:
// a plug-in view given headlessWindows() opens its frame on the host's run loop with
// this window, which records what the frame asks of it.
#pragma once

#include "gui/plugin/vstgui_editor.h"

#include <memory>

namespace corvale::test {

/// What the frames' stand-in windows were asked, shared by the test and the windows.
struct HeadlessWindowLog
{
    int created = 0;
    int alive = 0;  ///< windows not yet destroyed
    uintptr_t parent = 0;
    VSTGUI::CPoint size;
    double scale = 1.0;
    int invalidations = 0;
    int focusRequests = 0;
};

class HeadlessWindow : public VSTGUI::IPlatformFrame
{
public:
    explicit HeadlessWindow(std::shared_ptr<HeadlessWindowLog> log) : log_(std::move(log))
    {
        ++log_->created;
        ++log_->alive;
    }
    ~HeadlessWindow() override { --log_->alive; }

    void invalidRect(const VSTGUI::CRect&) override { ++log_->invalidations; }
    void setSize(const VSTGUI::CPoint& size) override { log_->size = size; }
    void setScaleFactor(double scale) override { log_->scale = scale; }
    void setCursor(VSTGUI::CCursorType) override {}
    void takeFocus() override { ++log_->focusRequests; }
    uintptr_t getNativeWindow() const override { return 0x5eed; }

private:
    std::shared_ptr<HeadlessWindowLog> log_;
};

/// A window maker for VSTGUIEditor::setPlatformFrameFactory that records into `log`.
inline Steinberg::Vst::VSTGUIEditor::PlatformFrameFactory headlessWindows(
    std::shared_ptr<HeadlessWindowLog> log)
{
    return [log](VSTGUI::IPlatformFrameCallback&, const VSTGUI::PlatformFrameConfig& config) {
        log->parent = config.parentWindow;
        log->size = config.size;
        log->scale = config.scaleFactor;
        return std::make_unique<HeadlessWindow>(log);
    };
}

/// A window maker that cannot make windows (no display).
inline Steinberg::Vst::VSTGUIEditor::PlatformFrameFactory noWindows()
{
    return [](VSTGUI::IPlatformFrameCallback&, const VSTGUI::PlatformFrameConfig&) {
        return std::unique_ptr<VSTGUI::IPlatformFrame>();
    };
}

} // namespace corvale::test

// Mouse cursor shapes from the X server's cursor font, created the first time a shape
// is asked for and freed with the cache.
#pragma once

#include "gui/base/cbuttonstate.h"

#include <cstdint>

typedef struct xcb_connection_t xcb_connection_t;

namespace VSTGUI::X11 {

class CursorCache
{
public:
    /// `connection` must outlive the cache. [UI thread]
    explicit CursorCache(xcb_connection_t* connection) : connection_(connection) {}
    /// Frees the cursors (and the font) made so far. [UI thread]
    ~CursorCache();
    CursorCache(const CursorCache&) = delete;
    CursorCache& operator=(const CursorCache&) = delete;

    /// The X cursor for `type`; 0 (None: the parent window's cursor) for kCursorDefault
    /// and unknown types. [UI thread]
    uint32_t cursor(CCursorType type);

private:
    static constexpr int kShapes = kCursorCrosshair + 1;

    xcb_connection_t* connection_;
    uint32_t font_ = 0;
    uint32_t cursors_[kShapes] = {};
};

} // namespace VSTGUI::X11

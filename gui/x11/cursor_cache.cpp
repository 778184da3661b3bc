#include "gui/x11/cursor_cache.h"

#include <xcb/xcb.h>

#include <cstring>

namespace VSTGUI::X11 {
namespace {

/// Glyph indices in the standard X cursor font, indexed by CCursorType.
constexpr uint16_t kGlyphs[] = {
    0,   // kCursorDefault: none of our own
    150, // kCursorWait: watch
    108, // kCursorHSize: sb_h_double_arrow
    116, // kCursorVSize: sb_v_double_arrow
    52,  // kCursorSizeAll: fleur
    12,  // kCursorNESWSize: bottom_left_corner
    14,  // kCursorNWSESize: bottom_right_corner
    90,  // kCursorCopy: plus
    24,  // kCursorNotAllowed: circle
    60,  // kCursorHand: hand2
    152, // kCursorIBeam: xterm
    34,  // kCursorCrosshair: crosshair
};
static_assert(sizeof(kGlyphs) / sizeof(kGlyphs[0]) == kCursorCrosshair + 1, "one glyph per cursor type");

} // namespace

CursorCache::~CursorCache()
{
    for (uint32_t cursor : cursors_) {
        if (cursor)
            xcb_free_cursor(connection_, cursor);
    }
    if (font_)
        xcb_close_font(connection_, font_);
}

uint32_t CursorCache::cursor(CCursorType type)
{
    if (type <= kCursorDefault || type >= kShapes)
        return XCB_CURSOR_NONE;
    if (!cursors_[type]) {
        if (!font_) {
            font_ = xcb_generate_id(connection_);
            const char* name = "cursor";
            xcb_open_font(connection_, font_, static_cast<uint16_t>(std::strlen(name)), name);
        }
        // Each shape's mask is the glyph after it; black on white, as X draws its own.
        cursors_[type] = xcb_generate_id(connection_);
        xcb_create_glyph_cursor(connection_, cursors_[type], font_, font_, kGlyphs[type], kGlyphs[type] + 1, 0,
                                0, 0, 0xffff, 0xffff, 0xffff);
    }
    return cursors_[type];
}

} // namespace VSTGUI::X11

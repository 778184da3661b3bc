#include "gui/cairo/cdrawcontext.h"

#include "gui/cairo/font_cache.h"

#include <cmath>

namespace VSTGUI {

CDrawContext::CDrawContext(cairo_t* context, double scale, FontCache* fontCache)
    : cr(context), scaleFactor(scale > 0.0 ? scale : 1.0), fonts(fontCache)
{
    if (!fonts)
    {
        ownFonts = std::make_unique<FontCache>();
        fonts = ownFonts.get();
    }
    cairo_save(cr);
    cairo_get_matrix(cr, &baseMatrix);
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    surfaceClip = CRect(x1, y1, x2, y2);
    state.clip = surfaceClip;
}

CDrawContext::~CDrawContext()
{
    cairo_restore(cr);
}

void CDrawContext::setClipRect(const CRect& rect)
{
    state.clip = state.transform.transform(rect);
}

CRect& CDrawContext::getClipRect(CRect& rect) const
{
    rect = state.transform.inverse().transform(state.clip);
    return rect;
}

void CDrawContext::resetClipRect()
{
    state.clip = surfaceClip;
}

void CDrawContext::saveGlobalState()
{
    stack.push_back(state);
}

void CDrawContext::restoreGlobalState()
{
    if (stack.empty())
        return;
    state = std::move(stack.back());
    stack.pop_back();
}

CDrawContext::Transform::Transform(CDrawContext& c, const CGraphicsTransform& t)
    : context(c), previous(c.state.transform)
{
    context.state.transform = t.concat(previous);
}

CDrawContext::Transform::~Transform()
{
    context.state.transform = previous;
}

bool CDrawContext::begin()
{
    CRect clip = state.clip;
    clip.bound(surfaceClip);
    if (clip.isEmpty())
        return false;
    cairo_save(cr);
    cairo_set_matrix(cr, &baseMatrix);
    cairo_new_path(cr);
    cairo_rectangle(cr, clip.left, clip.top, clip.getWidth(), clip.getHeight());
    cairo_clip(cr);
    const CGraphicsTransform& t = state.transform;
    cairo_matrix_t m;
    cairo_matrix_init(&m, t.m11, t.m21, t.m12, t.m22, t.dx, t.dy);
    cairo_transform(cr, &m);
    cairo_set_antialias(cr, (state.drawMode & kAntiAliasing) ? CAIRO_ANTIALIAS_DEFAULT
                                                             : CAIRO_ANTIALIAS_NONE);
    return true;
}

void CDrawContext::end()
{
    cairo_restore(cr);
}

void CDrawContext::setSource(const CColor& c)
{
    cairo_set_source_rgba(cr, c.normRed(), c.normGreen(), c.normBlue(),
                          c.normAlpha() * state.globalAlpha);
}

void CDrawContext::applyStroke()
{
    cairo_set_line_width(cr, state.lineWidth > 0.0 ? state.lineWidth : 1.0 / scaleFactor);
    if (state.lineStyle == kLineOnOffDash)
    {
        const double dash[] = {state.lineWidth, state.lineWidth};
        cairo_set_dash(cr, dash, 2, 0.0);
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    setSource(state.frameColor);
}

void CDrawContext::fillAndStroke(CDrawStyle style)
{
    if (style != kDrawStroked)
    {
        setSource(state.fillColor);
        if (style == kDrawFilledAndStroked)
            cairo_fill_preserve(cr);
        else
            cairo_fill(cr);
    }
    if (style != kDrawFilled)
    {
        applyStroke();
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
}

// Without anti-aliasing, odd-width lines on integer coordinates would straddle
// two pixel rows; moving them to pixel centres keeps them one pixel sharp.
double CDrawContext::alignStroke(double v) const
{
    if (state.drawMode & kAntiAliasing)
        return v;
    const long w = std::lround(state.lineWidth);
    return (w % 2 == 1 && std::fabs(state.lineWidth - w) < 1e-9) ? std::floor(v) + 0.5 : v;
}

void CDrawContext::drawLine(const CPoint& start, const CPoint& stop)
{
    drawLines({{start, stop}});
}

void CDrawContext::drawLines(const std::vector<std::pair<CPoint, CPoint>>& lines)
{
    if (lines.empty() || !begin())
        return;
    for (const auto& l : lines)
    {
        cairo_move_to(cr, alignStroke(l.first.x), alignStroke(l.first.y));
        cairo_line_to(cr, alignStroke(l.second.x), alignStroke(l.second.y));
    }
    applyStroke();
    cairo_stroke(cr);
    end();
}

void CDrawContext::drawPolygon(const std::vector<CPoint>& points, CDrawStyle style)
{
    if (points.size() < 2 || !begin())
        return;
    cairo_move_to(cr, points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i)
        cairo_line_to(cr, points[i].x, points[i].y);
    if (style != kDrawStroked)
        cairo_close_path(cr);
    fillAndStroke(style);
    end();
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style)
{
    if (!begin())
        return;
    if (style != kDrawFilled && !(state.drawMode & kAntiAliasing))
    {
        // Without anti-aliasing the frame is drawn inside the rectangle, on the
        // pixels a fill of the same rectangle covers, so both agree to the pixel.
        if (style == kDrawFilledAndStroked)
        {
            cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
            fillAndStroke(kDrawFilled);
        }
        const double h = state.lineWidth / 2.0;
        cairo_rectangle(cr, rect.left + h, rect.top + h, rect.getWidth() - 2 * h, rect.getHeight() - 2 * h);
        fillAndStroke(kDrawStroked);
    }
    else
    {
        cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
        fillAndStroke(style);
    }
    end();
}

void CDrawContext::drawRoundRect(const CRect& rect, double radius, CDrawStyle style)
{
    if (!begin())
        return;
    const double r = std::max(0.0, std::min(radius, std::min(rect.getWidth(), rect.getHeight()) / 2));
    cairo_new_sub_path(cr);
    cairo_arc(cr, rect.right - r, rect.top + r, r, -M_PI / 2, 0);
    cairo_arc(cr, rect.right - r, rect.bottom - r, r, 0, M_PI / 2);
    cairo_arc(cr, rect.left + r, rect.bottom - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, rect.left + r, rect.top + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
    fillAndStroke(style);
    end();
}

void CDrawContext::drawEllipse(const CRect& rect, CDrawStyle style)
{
    drawArc(rect, 0.0, 360.0, style);
}

void CDrawContext::drawArc(const CRect& rect, double startDeg, double endDeg, CDrawStyle style)
{
    if (rect.getWidth() <= 0 || rect.getHeight() <= 0 || !begin())
        return;
    cairo_save(cr);
    const CPoint c = rect.getCenter();
    cairo_translate(cr, c.x, c.y);
    cairo_scale(cr, rect.getWidth() / 2.0, rect.getHeight() / 2.0);
    const bool full = std::fabs(endDeg - startDeg) >= 360.0;
    if (style != kDrawStroked && !full)
        cairo_move_to(cr, 0, 0);
    cairo_arc(cr, 0, 0, 1.0, startDeg * M_PI / 180.0, endDeg * M_PI / 180.0);
    if (style != kDrawStroked)
        cairo_close_path(cr);
    cairo_restore(cr);  // the path stays; the line width is not scaled
    fillAndStroke(style);
    end();
}

void CDrawContext::drawPoint(const CPoint& p, const CColor& color)
{
    if (!begin())
        return;
    cairo_rectangle(cr, p.x, p.y, 1.0, 1.0);
    setSource(color);
    cairo_fill(cr);
    end();
}

bool CDrawContext::applyFont()
{
    CFontDesc* font = state.font ? state.font.get() : kSystemFont;
    if (font->getSize() <= 0.0)
        return false;
    cairo_set_font_face(cr, fonts->getFace(*font));
    cairo_set_font_size(cr, font->getSize());
    return true;
}

double CDrawContext::getStringWidth(const std::string& text)
{
    if (text.empty() || !begin())
        return 0.0;
    double width = 0.0;
    if (applyFont())
    {
        cairo_text_extents_t ext;
        cairo_text_extents(cr, text.c_str(), &ext);
        width = ext.x_advance;
    }
    end();
    return width;
}

double CDrawContext::getFontCapHeight()
{
    if (!begin())
        return 0.0;
    double height = 0.0;
    if (applyFont())
    {
        cairo_text_extents_t ext;
        cairo_text_extents(cr, "H", &ext);
        height = ext.height;
    }
    end();
    return height;
}

void CDrawContext::drawString(const std::string& text, const CRect& rect, CHoriTxtAlign align,
                              bool antialias)
{
    if (text.empty() || rect.isEmpty() || !begin())
        return;
    if (!applyFont())
    {
        end();
        return;
    }
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_text_extents_t cap;
    cairo_text_extents(cr, "H", &cap);
    double x = rect.left;
    if (align == kCenterText)
        x = rect.left + (rect.getWidth() - ext.x_advance) / 2.0;
    else if (align == kRightText)
        x = rect.right - ext.x_advance;
    const double baseline = rect.bottom - (rect.getHeight() / 2.0 - cap.height / 2.0);
    end();
    const CRect previousClip = state.clip;
    state.clip.bound(state.transform.transform(rect));
    drawString(text, CPoint(std::round(x), std::round(baseline)), antialias);
    state.clip = previousClip;
}

void CDrawContext::drawString(const std::string& text, const CPoint& origin, bool antialias)
{
    if (text.empty() || !begin())
        return;
    if (applyFont())
    {
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, antialias ? CAIRO_ANTIALIAS_GRAY
                                                            : CAIRO_ANTIALIAS_NONE);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_set_font_options(cr, options);
        cairo_font_options_destroy(options);
        setSource(state.fontColor);
        cairo_move_to(cr, origin.x, origin.y);
        cairo_show_text(cr, text.c_str());
        const int32_t style = state.font ? state.font->getStyle() : 0;
        if (style & (kUnderlineFace | kStrikethroughFace))
        {
            cairo_text_extents_t ext;
            cairo_text_extents(cr, text.c_str(), &ext);
            const double size = state.font->getSize();
            cairo_set_line_width(cr, std::max(1.0, size / 14.0));
            if (style & kUnderlineFace)
            {
                cairo_move_to(cr, origin.x, origin.y + size / 8.0);
                cairo_rel_line_to(cr, ext.x_advance, 0);
            }
            if (style & kStrikethroughFace)
            {
                cairo_move_to(cr, origin.x, origin.y - size / 3.5);
                cairo_rel_line_to(cr, ext.x_advance, 0);
            }
            cairo_stroke(cr);
        }
    }
    end();
}

} // namespace VSTGUI

// CDrawContext: the drawing calls views make, on a cairo context. Coordinates are
// logical (the platform's scale factor sits in the cairo matrix below us);
// transforms pushed with CDrawContext::Transform move the origin for child views.
#pragma once

#include "gui/base/ccolor.h"
#include "gui/base/cfontdesc.h"
#include "gui/base/cgraphicstransform.h"
#include "gui/base/sharedpointer.h"

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

namespace VSTGUI {

class FontCache;

enum CDrawStyle
{
    kDrawStroked = 0,
    kDrawFilled,
    kDrawFilledAndStroked,
};

enum CDrawModeFlags : int32_t
{
    kAliasing = 0,
    kAntiAliasing = 1,
};

enum CHoriTxtAlign
{
    kLeftText = 0,
    kCenterText,
    kRightText,
};

enum CLineStyle
{
    kLineSolid = 0,
    kLineOnOffDash,
};

class CDrawContext
{
public:
    /// Wraps `cr`, whose clip already limits drawing to the area to repaint.
    /// `scaleFactor` is the device/logical ratio already applied to `cr`'s matrix;
    /// bitmaps use it to pick their 2x pixels. `fonts` may be null (a private cache
    /// is then made). [UI thread]
    CDrawContext(cairo_t* cr, double scaleFactor = 1.0, FontCache* fonts = nullptr);
    ~CDrawContext();
    CDrawContext(const CDrawContext&) = delete;
    CDrawContext& operator=(const CDrawContext&) = delete;

    cairo_t* getCairo() const { return cr; }
    double getScaleFactor() const { return scaleFactor; }

    // --- state ---
    void setLineWidth(double width) { state.lineWidth = width; }
    double getLineWidth() const { return state.lineWidth; }
    void setLineStyle(CLineStyle style) { state.lineStyle = style; }
    void setDrawMode(int32_t mode) { state.drawMode = mode; }
    int32_t getDrawMode() const { return state.drawMode; }
    void setFillColor(const CColor& c) { state.fillColor = c; }
    const CColor& getFillColor() const { return state.fillColor; }
    void setFrameColor(const CColor& c) { state.frameColor = c; }
    const CColor& getFrameColor() const { return state.frameColor; }
    void setFontColor(const CColor& c) { state.fontColor = c; }
    const CColor& getFontColor() const { return state.fontColor; }
    void setFont(CFontDesc* font) { state.font = font; }
    CFontDesc* getFont() const { return state.font; }
    void setGlobalAlpha(float alpha) { state.globalAlpha = alpha; }
    float getGlobalAlpha() const { return state.globalAlpha; }

    /// Limits drawing to `rect` (current coordinates), replacing the previous limit;
    /// the repaint area given by the platform still applies. [UI thread]
    void setClipRect(const CRect& rect);
    /// The current limit in current coordinates. [UI thread]
    CRect& getClipRect(CRect& rect) const;
    void resetClipRect();

    /// Saves / restores every setting above, the clip and the transform. [UI thread]
    void saveGlobalState();
    void restoreGlobalState();

    const CGraphicsTransform& getCurrentTransform() const { return state.transform; }

    /// Pushes a transform for the lifetime of the object (e.g. a child's origin).
    class Transform
    {
    public:
        Transform(CDrawContext& context, const CGraphicsTransform& t);
        ~Transform();
        Transform(const Transform&) = delete;
        Transform& operator=(const Transform&) = delete;

    private:
        CDrawContext& context;
        CGraphicsTransform previous;
    };

    // --- primitives [UI thread] ---
    void drawLine(const CPoint& start, const CPoint& end);
    void drawLines(const std::vector<std::pair<CPoint, CPoint>>& lines);
    void drawPolygon(const std::vector<CPoint>& points, CDrawStyle style = kDrawStroked);
    void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked);
    void drawRoundRect(const CRect& rect, double radius, CDrawStyle style = kDrawStroked);
    void drawEllipse(const CRect& rect, CDrawStyle style = kDrawStroked);
    /// An elliptic arc inside `rect` from `startDeg` to `endDeg` (clockwise, 0 = 3 o'clock).
    void drawArc(const CRect& rect, double startDeg, double endDeg, CDrawStyle style = kDrawStroked);
    void drawPoint(const CPoint& p, const CColor& color);

    /// Draws one line of UTF-8 text in `rect`, clipped to it, vertically centred on
    /// the font's cap height, aligned as `align` says. [UI thread]
    void drawString(const std::string& text, const CRect& rect, CHoriTxtAlign align = kCenterText,
                    bool antialias = true);
    /// Draws text with its baseline starting at `origin`. [UI thread]
    void drawString(const std::string& text, const CPoint& origin, bool antialias = true);
    /// Advance width of `text` in the current font. [UI thread]
    double getStringWidth(const std::string& text);
    /// Height of a capital letter in the current font. [UI thread]
    double getFontCapHeight();

    /// For drawing with cairo directly: saves cairo's state and sets up the clip
    /// and transform of this context; false (and nothing to undo) when nothing
    /// can be drawn. Pair with endCairo(). [UI thread]
    bool beginCairo() { return begin(); }
    void endCairo() { end(); }

private:
    struct State
    {
        CColor frameColor = kBlackCColor;
        CColor fillColor = kWhiteCColor;
        CColor fontColor = kWhiteCColor;
        SharedPointer<CFontDesc> font = kSystemFont;
        double lineWidth = 1.0;
        CLineStyle lineStyle = kLineSolid;
        int32_t drawMode = kAliasing;
        float globalAlpha = 1.0f;
        CGraphicsTransform transform;
        CRect clip;  // in untransformed logical coordinates
    };

    /// cairo_save + clip + transform; undone by end(). Returns false when the clip is empty.
    bool begin();
    void end();
    void setSource(const CColor& c);
    void applyStroke();
    void fillAndStroke(CDrawStyle style);
    bool applyFont();
    double alignStroke(double v) const;

    cairo_t* cr;
    double scaleFactor;
    FontCache* fonts;
    std::unique_ptr<FontCache> ownFonts;
    cairo_matrix_t baseMatrix{};
    CRect surfaceClip;
    State state;
    std::vector<State> stack;
};

} // namespace VSTGUI

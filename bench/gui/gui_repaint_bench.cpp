// The cost of repainting a whole 926 x 213 editor: fifteen slider groups (label,
// fader with track and cap bitmaps, value field), a filmstrip knob group and
// three labels, built from a description whose bitmaps are drawn here with
// cairo and carried as base64 data (with double-resolution versions).
#include "gui/cframe.h"
#include "gui/cslider.h"
#include "gui/ctextedit.h"
#include "gui/uidesc/uidescription.h"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cmath>
#include <functional>
#include <string>

using namespace VSTGUI;

namespace {

std::string base64(const std::string& bytes)
{
    static const char* kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3)
    {
        uint32_t v = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            v |= static_cast<unsigned char>(bytes[i + 2]);
        out += kDigits[(v >> 18) & 63];
        out += kDigits[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(v >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[v & 63] : '=';
    }
    return out;
}

/// Draws a w x h image at `scale` with `paint` (in logical units) and returns it as base64 PNG.
std::string png(int w, int h, int scale, const std::function<void(cairo_t*)>& paint)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w * scale, h * scale);
    cairo_t* cr = cairo_create(s);
    cairo_scale(cr, scale, scale);
    paint(cr);
    cairo_destroy(cr);
    std::string bytes;
    cairo_surface_write_to_png_stream(
        s,
        [](void* c, const unsigned char* d, unsigned int n) {
            static_cast<std::string*>(c)->append(reinterpret_cast<const char*>(d), n);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    cairo_surface_destroy(s);
    return base64(bytes);
}

void track(cairo_t* cr)
{
    cairo_set_source_rgb(cr, 0.35, 0.35, 0.35);
    cairo_rectangle(cr, 14, 4, 4, 87);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i <= 8; ++i)
    {
        cairo_move_to(cr, 4, 7.5 + i * 10);
        cairo_line_to(cr, 10, 7.5 + i * 10);
        cairo_move_to(cr, 22, 7.5 + i * 10);
        cairo_line_to(cr, 28, 7.5 + i * 10);
    }
    cairo_stroke(cr);
}

void cap(cairo_t* cr)
{
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 15);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.85, 0.85, 0.85);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.45, 0.45, 0.45);
    cairo_set_source(cr, g);
    cairo_rectangle(cr, 2, 1, 28, 13);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_move_to(cr, 4, 7.5);
    cairo_line_to(cr, 28, 7.5);
    cairo_stroke(cr);
}

void knobStrip(cairo_t* cr)
{
    for (int i = 0; i < 80; ++i)
    {
        const double cy = i * 42 + 21, a = (135 + 270.0 * i / 79) * M_PI / 180;
        cairo_set_source_rgb(cr, 0.15, 0.15, 0.15);
        cairo_arc(cr, 21, cy, 17, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
        cairo_set_line_width(cr, 3);
        cairo_move_to(cr, 21, cy);
        cairo_line_to(cr, 21 + 15 * std::cos(a), cy + 15 * std::sin(a));
        cairo_stroke(cr);
    }
}

std::string description()
{
    std::string xml = "<vstgui-ui-description version=\"1\"><bitmaps>";
    auto bitmap = [&](const char* name, int w, int h, void (*paint)(cairo_t*)) {
        xml += std::string("<bitmap name=\"") + name + "\" path=\"" + name + ".png\"><data>" +
               png(w, h, 1, paint) + "</data></bitmap>";
        xml += std::string("<bitmap name=\"") + name + "#2x\" path=\"" + name + "#2x.png\"><data>" +
               png(w, h, 2, paint) + "</data></bitmap>";
    };
    bitmap("track", 32, 95, track);
    bitmap("cap", 32, 15, cap);
    bitmap("knob", 42, 3360, knobStrip);
    xml += "</bitmaps><control-tags>";
    for (int k = 0; k < 16; ++k)
        xml += "<control-tag name=\"p" + std::to_string(k) + "\" tag=\"" + std::to_string(k) + "\"/>";
    xml += "</control-tags>"
           "<template name=\"Editor\" class=\"CViewContainer\" size=\"926, 213\" "
           "background-color=\"~ GreyCColor\">"
           "<view class=\"CViewContainer\" origin=\"15, 15\" size=\"896, 183\" "
           "background-color=\"~ GreyCColor\">";
    const char* names[] = {"25", "40", "63", "100", "160", "250", "400", "630", "1000", "1600",
                           "2500", "4000", "6300", "10000", "16000"};
    for (int k = 0; k < 15; ++k)
        xml += "<view template=\"Group\" origin=\"" + std::to_string(20 + 50 * k) +
               ", 15\"/>";
    xml += "<view class=\"CViewContainer\" origin=\"800, 40\" size=\"75, 82\" transparent=\"true\">"
           "<view class=\"CTextLabel\" origin=\"0, 5\" size=\"75, 15\" title=\"Gain\" "
           "font=\"~ NormalFontSmaller\" font-color=\"~ BlackCColor\" transparent=\"true\"/>"
           "<view class=\"CAnimKnob\" origin=\"16, 22\" size=\"42, 42\" control-tag=\"p15\" "
           "bitmap=\"knob\" height-of-one-image=\"42\"/>"
           "<view class=\"CTextEdit\" origin=\"15, 67\" size=\"45, 15\" control-tag=\"p15\" "
           "font=\"~ NormalFontSmaller\" font-color=\"~ CyanCColor\" back-color=\"~ BlackCColor\" "
           "style-no-frame=\"true\"/></view>"
           "<view class=\"CTextLabel\" origin=\"40, 160\" size=\"100, 16\" title=\"Version 1\" "
           "font-color=\"~ BlackCColor\" transparent=\"true\"/>"
           "<view class=\"CTextLabel\" origin=\"755, 160\" size=\"153, 16\" title=\"Maker\" "
           "font-color=\"~ BlackCColor\" transparent=\"true\"/>"
           "<view class=\"CTextLabel\" origin=\"355, 160\" size=\"100, 16\" title=\"dB\" "
           "font-color=\"~ BlackCColor\" transparent=\"true\"/>"
           "</view></template>"
           "<template name=\"Group\" class=\"CViewContainer\" size=\"75, 136\" transparent=\"true\">"
           "<view class=\"CTextLabel\" origin=\"0, 5\" size=\"75, 15\" title=\"1000\" "
           "font=\"~ NormalFontSmaller\" font-color=\"~ BlackCColor\" transparent=\"true\"/>"
           "<view class=\"CSlider\" origin=\"22, 22\" size=\"32, 95\" bitmap=\"track\" "
           "handle-bitmap=\"cap\" handle-offset=\"-1, 0\" orientation=\"vertical\" "
           "reverse-orientation=\"false\" mode=\"free click\"/>"
           "<view class=\"CTextEdit\" origin=\"15, 121\" size=\"45, 15\" "
           "font=\"~ NormalFontSmaller\" font-color=\"~ CyanCColor\" back-color=\"~ BlackCColor\" "
           "style-no-frame=\"true\"/>"
           "</template></vstgui-ui-description>";
    (void)names;
    return xml;
}

void BM_FullRepaint(benchmark::State& state)
{
    const double scale = static_cast<double>(state.range(0));
    UIDescription d("bench", description());
    if (!d.parse())
    {
        state.SkipWithError("description does not parse");
        return;
    }
    CView* editor = d.createView("Editor", nullptr);
    if (!editor)
    {
        state.SkipWithError("no editor template");
        return;
    }
    auto frame = owned(new CFrame(editor->getViewSize(), nullptr));
    frame->addView(editor);
    frame->setScaleFactor(scale);
    int k = 0;
    frame->forEachViewRecursive([&](CView* v) {
        if (auto* s = dynamic_cast<CSlider*>(v))
            s->setValue((k++ % 15) / 14.f);
        if (auto* t = dynamic_cast<CTextEdit*>(v))
            t->setText("+3.25");
    });
    cairo_surface_t* surface = cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, static_cast<int>(926 * scale), static_cast<int>(213 * scale));
    const CRect all(0, 0, 926, 213);
    for (auto _ : state)
    {
        cairo_t* cr = cairo_create(surface);
        cairo_scale(cr, scale, scale);
        frame->platformDrawRect(cr, all);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(surface));
    }
    cairo_surface_destroy(surface);
    state.SetLabel("926x213 at scale " + std::to_string(static_cast<int>(scale)));
}

} // namespace

BENCHMARK(BM_FullRepaint)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

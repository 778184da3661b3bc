#include "editor_picture.h"

#include "tool_error.h"

#include <cairo.h>

namespace corvale::render {

void writeEditorPicture(const EditorPicture& picture, const std::string& path)
{
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, picture.width);
    if (picture.width <= 0 || picture.height <= 0 || stride != picture.width * 4
        || picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height)
        throw ToolError("the editor picture is empty");
    // cairo only reads the pixels; the const_cast never leads to a write.
    auto* data = reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(picture.pixels.data()));
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        data, CAIRO_FORMAT_ARGB32, picture.width, picture.height, stride);
    const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        throw ToolError("cannot write '" + path + "': " + cairo_status_to_string(status));
}

} // namespace corvale::render

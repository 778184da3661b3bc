// Writing an editor drawn off-screen as a PNG file.
#pragma once

#include "effect.h"

#include <string>

namespace corvale::render {

/// [main] Writes `picture` to `path` as an RGBA PNG; throws ToolError when it cannot.
void writeEditorPicture(const EditorPicture& picture, const std::string& path);

} // namespace corvale::render

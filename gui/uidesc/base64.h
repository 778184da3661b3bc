// Decoding the base64 text of a description's embedded bitmap data.
#pragma once

#include <string>
#include <vector>

namespace VSTGUI {

/// Decodes `text` (white space ignored, '=' padding optional); false for any
/// other character or a dangling final character. [any]
bool decodeBase64(const std::string& text, std::vector<unsigned char>& out);

} // namespace VSTGUI

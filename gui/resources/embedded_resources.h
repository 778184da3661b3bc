// The table that corvale_embed_resources() (gui/EmbedResources.cmake) compiles
// into a binary: each file's name and its bytes, read-only data of that binary.
#pragma once

#include <cstddef>

extern "C" {

struct CorvaleEmbeddedResource
{
    const char* name;
    const unsigned char* begin;
    const unsigned char* end;
};

/// Defined by the generated source of the binary that embeds resources; absent
/// (null) in a binary that embeds none. Hidden, so each module sees only its own.
__attribute__((weak, visibility("hidden"))) const CorvaleEmbeddedResource*
corvale_embedded_resources(std::size_t* count);
}

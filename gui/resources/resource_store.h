// Looking up the resources compiled into this binary (descriptions, PNGs) by
// name. The data is read-only; nothing here keeps state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace VSTGUI {

struct ResourceBytes
{
    const unsigned char* data = nullptr;
    size_t size = 0;
    explicit operator bool() const { return data != nullptr; }
};

/// The embedded resource named exactly `name`, or empty. [any]
ResourceBytes findEmbeddedResource(const std::string& name);
/// The names of every embedded resource, in table order. [any]
std::vector<std::string> embeddedResourceNames();
/// Reads a whole file; false (and `out` empty) when it cannot. [any]
bool readWholeFile(const std::string& path, std::vector<unsigned char>& out);

/// Names a resource: by string, or by integer id (which means "bmpNNNNN.png").
class CResourceDescription
{
public:
    CResourceDescription(const char* resourceName) : name(resourceName ? resourceName : "") {}
    CResourceDescription(const std::string& resourceName) : name(resourceName) {}
    explicit CResourceDescription(int32_t id);

    const std::string& getName() const { return name; }

private:
    std::string name;
};

} // namespace VSTGUI

#include "gui/resources/resource_store.h"

#include "gui/resources/embedded_resources.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace VSTGUI {

namespace {

const CorvaleEmbeddedResource* table(size_t& count)
{
    count = 0;
    if (!corvale_embedded_resources)
        return nullptr;
    return corvale_embedded_resources(&count);
}

} // namespace

ResourceBytes findEmbeddedResource(const std::string& name)
{
    size_t count = 0;
    const CorvaleEmbeddedResource* entries = table(count);
    for (size_t i = 0; i < count; ++i)
        if (name == entries[i].name)
            return {entries[i].begin, static_cast<size_t>(entries[i].end - entries[i].begin)};
    return {};
}

std::vector<std::string> embeddedResourceNames()
{
    size_t count = 0;
    const CorvaleEmbeddedResource* entries = table(count);
    std::vector<std::string> names;
    for (size_t i = 0; i < count; ++i)
        names.emplace_back(entries[i].name);
    return names;
}

bool readWholeFile(const std::string& path, std::vector<unsigned char>& out)
{
    out.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad())
    {
        out.clear();
        return false;
    }
    return true;
}

CResourceDescription::CResourceDescription(int32_t id)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "bmp%05d.png", static_cast<int>(id));
    name = buffer;
}

} // namespace VSTGUI

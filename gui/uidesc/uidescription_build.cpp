// UIDescription's builder: turning a template into views for a controller.
#include "gui/cviewcontainer.h"
#include "gui/icontroller.h"
#include "gui/uidesc/ui_view_factory.h"
#include "gui/uidesc/uidescription.h"

#include <cstring>

namespace VSTGUI {

namespace {

// Deeper nesting than this is refused: no real layout comes near it, and it
// bounds the builder's recursion for hostile input.
constexpr int kMaxNesting = 64;

uint32_t fourCharCode(const std::string& id)
{
    uint32_t code = 0;
    for (size_t i = 0; i < 4; ++i)
        code = (code << 8) | (i < id.size() ? static_cast<unsigned char>(id[i]) : ' ');
    return code;
}

void releaseController(IController* c)
{
    if (!c)
        return;
    if (auto* object = dynamic_cast<CBaseObject*>(c))
        object->forget();
    else
        delete c;
}

} // namespace

struct UIDescription::Built
{
    CView* view = nullptr;
    std::string className;
};

CView* UIDescription::createView(UTF8StringPtr templateName, IController* controller)
{
    if (!parsed)
    {
        logError("was not read successfully: no views can be built");
        return nullptr;
    }
    const std::string wanted = templateName ? templateName : "";
    if (!templates.count(wanted))
    {
        logError("has no template \"" + wanted + "\"");
        return nullptr;
    }
    controllerStack.assign(1, controller);
    templatesBeingBuilt.clear();
    const Built built = buildTemplate(wanted, 0);
    controllerStack.clear();
    return built.view;
}

UIDescription::Built UIDescription::buildTemplate(const std::string& templateName, int depth)
{
    auto it = templates.find(templateName);
    if (it == templates.end())
    {
        logError("has no template \"" + templateName + "\"");
        return {};
    }
    for (const auto& t : templatesBeingBuilt)
        if (t == templateName)
        {
            logError("template \"" + templateName + "\" contains itself");
            return {};
        }
    templatesBeingBuilt.push_back(templateName);
    Built built = buildNode(it->second, depth);
    templatesBeingBuilt.pop_back();
    return built;
}

UIDescription::Built UIDescription::buildNode(const pugi::xml_node& node, int depth)
{
    if (depth > kMaxNesting)
    {
        logError("views are nested more than " + std::to_string(kMaxNesting) + " deep");
        return {};
    }
    const UIAttributes attributes = attributesOf(node, true);
    const bool isTemplateElement = std::strcmp(node.name(), "template") == 0;

    // A reference to another template: build it, then let this entry's attributes override.
    if (const std::string* ref = attributes.getAttributeValue("template"); ref && !isTemplateElement)
    {
        Built built = buildTemplate(*ref, depth + 1);
        if (built.view)
            UIViewFactory::applyAttributes(built.view, built.className, attributes, this);
        return built;
    }

    IController* subController = nullptr;
    if (const std::string* sub = attributes.getAttributeValue("sub-controller"))
        if (IController* current = getController())
            subController = current->createSubController(sub->c_str(), this);
    if (subController)
        controllerStack.push_back(subController);

    Built built;
    const std::string* className = attributes.getAttributeValue("class");
    if (IController* current = getController())
        built.view = current->createView(attributes, this);
    if (built.view)
    {
        built.className = className ? *className : "CView";
        if (className)
            UIViewFactory::applyAttributes(built.view, *className, attributes, this);
    }
    else
        built.view = UIViewFactory::createView(className ? *className : "CViewContainer", attributes,
                                               this, &built.className);

    auto* container = dynamic_cast<CViewContainer*>(built.view);
    for (const pugi::xml_node& child : node.children())
    {
        if (child.type() != pugi::node_element)
            continue;
        if (container && std::strcmp(child.name(), "view") == 0)
        {
            const Built c = buildNode(child, depth + 1);
            if (c.view)
                container->addView(c.view);
        }
        else if (std::strcmp(child.name(), "attribute") == 0)
        {
            const std::string value = child.attribute("value").value();
            built.view->setAttribute(fourCharCode(child.attribute("id").value()),
                                     static_cast<uint32_t>(value.size()), value.data());
        }
    }

    if (IController* current = getController())
    {
        CView* verified = current->verifyView(built.view, attributes, this);
        if (verified != built.view)
        {
            // The controller answered another view (or none) and took care of ours.
            built.view = verified;
        }
    }

    if (subController)
    {
        controllerStack.pop_back();
        if (built.view)
            built.view->setController(subController);
        else
            releaseController(subController);
    }
    return built;
}

CBitmap* UIDescription::getBitmap(UTF8StringPtr bitmapName) const
{
    if (!bitmapName)
        return nullptr;
    auto cached = bitmapCache.find(bitmapName);
    if (cached != bitmapCache.end())
        return cached->second;
    auto it = bitmaps.find(bitmapName);
    if (it == bitmaps.end())
    {
        logError(std::string("names bitmap \"") + bitmapName + "\", which its bitmap table lacks");
        return nullptr;
    }
    SharedPointer<CBitmap> bitmap = loadBitmap(bitmapName, *it->second);
    bitmapCache.emplace(bitmapName, bitmap);
    return bitmap;
}

} // namespace VSTGUI

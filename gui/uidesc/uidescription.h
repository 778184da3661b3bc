// UIDescription: an XML user-interface description (resource tables, control
// tags, variables, templates of views) and the builder that turns a template
// into views for a controller. A description that cannot be read, or a template
// that does not exist, gives no views and one clear message on stderr; a
// malformed value leaves the view's default in place.
#pragma once

#include "gui/base/sharedpointer.h"
#include "gui/uidesc/iuidescription.h"
#include "gui/uidesc/uiattributes.h"

#include <pugixml.hpp>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace VSTGUI {

class CView;

class UIDescription : public IUIDescription
{
public:
    /// A description named `nameOrPath`: an embedded resource of that name, or else
    /// a file at that path. Call parse() before use. [UI thread]
    explicit UIDescription(const std::string& nameOrPath);
    /// A description held in memory; `name` appears in messages. [UI thread]
    UIDescription(const std::string& name, const std::string& xmlText);
    ~UIDescription() override;
    UIDescription(const UIDescription&) = delete;
    UIDescription& operator=(const UIDescription&) = delete;

    /// Reads and checks the description; false (and a message) when it cannot. [UI thread]
    bool parse();
    bool isParsed() const { return parsed; }
    const std::string& getName() const { return name; }

    /// Builds template `templateName` for `controller` (may be null). Answers a new
    /// view whose reference the caller owns, or null. [UI thread]
    CView* createView(UTF8StringPtr templateName, IController* controller);
    bool hasTemplate(UTF8StringPtr templateName) const;
    std::vector<std::string> getTemplateNames() const;
    /// The template element's own attributes (class, size, minSize, maxSize...), or null.
    const UIAttributes* getTemplateAttributes(UTF8StringPtr templateName) const;
    /// Every message this description has logged, in order (each only once).
    const std::vector<std::string>& getErrors() const { return errors; }

    // --- IUIDescription ---
    CBitmap* getBitmap(UTF8StringPtr name) const override;
    CFontDesc* getFont(UTF8StringPtr name) const override;
    bool getColor(UTF8StringPtr name, CColor& color) const override;
    bool getGradient(UTF8StringPtr name, std::vector<GradientStop>& stops) const override;
    int32_t getTagForName(UTF8StringPtr name) const override;
    IControlListener* getControlListener(UTF8StringPtr name) const override;
    IController* getController() const override;
    bool getVariable(UTF8StringPtr name, std::string& value) const override;
    const UIAttributes* getCustomAttributes(UTF8StringPtr name) const override;

private:
    struct BitmapEntry;
    struct Built;

    bool parseTables();
    bool readBytes(std::vector<unsigned char>& out);
    UIAttributes attributesOf(const pugi::xml_node& node, bool substituteVariables) const;
    Built buildTemplate(const std::string& templateName, int depth);
    Built buildNode(const pugi::xml_node& node, int depth);
    SharedPointer<CBitmap> loadBitmap(const std::string& name, const BitmapEntry& entry) const;
    /// The PNG bytes of a bitmap file: embedded, beside a description file, or the entry's data.
    bool readBitmapBytes(const std::string& path, const BitmapEntry* entry,
                         std::vector<unsigned char>& out) const;
    void logError(const std::string& message) const;
    void clear();

    std::string name;
    std::string xmlText;
    bool fromMemory = false;
    bool parsed = false;
    std::unique_ptr<pugi::xml_document> document;

    std::map<std::string, std::unique_ptr<BitmapEntry>> bitmaps;
    std::map<std::string, SharedPointer<CFontDesc>> fonts;
    std::map<std::string, CColor> colors;
    std::map<std::string, std::vector<GradientStop>> gradients;
    std::map<std::string, std::string> controlTags;
    std::map<std::string, std::string> variables;
    std::map<std::string, UIAttributes> customAttributes;
    std::map<std::string, pugi::xml_node> templates;
    std::map<std::string, UIAttributes> templateAttributes;

    mutable std::map<std::string, SharedPointer<CBitmap>> bitmapCache;
    mutable std::vector<std::string> errors;
    mutable std::set<std::string> logged;
    std::vector<IController*> controllerStack;
    std::vector<std::string> templatesBeingBuilt;
};

} // namespace VSTGUI

#include "uidesc_resolver.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <vector>

// The resolver is the oracle of the layout tests, so it is checked on a description small
// enough to lay out by hand.
TEST(UiDescriptionResolver, NestsOriginsAndAppliesTheReferencesAttributes)
{
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(R"(<vstgui-ui-description version="1">
        <template name="Top" size="200, 100">
            <view template="Group" origin="30, 40" background-color="~ RedCColor"/>
            <view template="Group"><view class="CSlider" origin="1, 1" size="1, 1"/></view>
        </template>
        <template name="Group" origin="5, 6" size="50, 50" background-color="~ BlackCColor">
            <view class="CSlider" origin="10, 20" size="8, 9"/>
        </template>
        <template name="Loop"><view template="Loop"/></template>
        <template name="Missing"><view template="Nowhere"/></template>
        <template name="BadOrigin"><view class="CSlider" origin="1; 2"/></template>
    </vstgui-ui-description>)"));
    const UiDescriptionResolver resolver(doc.child("vstgui-ui-description"));
    const std::vector<ResolvedView> views = resolver.resolve("Top");
    ASSERT_EQ(views.size(), 5u);
    EXPECT_EQ(views[1].templateName, "Group");
    EXPECT_EQ(views[1].x, 30);
    EXPECT_EQ(views[1].y, 40);
    EXPECT_EQ(views[1].attributes.at("background-color"), "~ RedCColor");
    EXPECT_EQ(views[2].viewClass, "CSlider");
    EXPECT_EQ(views[2].x, 40);
    EXPECT_EQ(views[2].y, 60);
    EXPECT_EQ(views[2].parent, 1);
    // Unstated attributes keep the template's values; the reference's children are ignored.
    EXPECT_EQ(views[3].x, 5);
    EXPECT_EQ(views[3].y, 6);
    EXPECT_EQ(views[3].attributes.at("background-color"), "~ BlackCColor");
    EXPECT_EQ(views[4].x, 15);
    EXPECT_EQ(views[4].width, 8);

    EXPECT_THROW(resolver.resolve("Loop"), ResolveError);
    EXPECT_THROW(resolver.resolve("Missing"), ResolveError);
    EXPECT_THROW(resolver.resolve("BadOrigin"), ResolveError);
    EXPECT_THROW(resolver.resolve("Absent"), ResolveError);
}

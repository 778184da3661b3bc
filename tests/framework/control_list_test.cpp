#include "framework/control_list.h"

#include <gtest/gtest.h>

namespace {

CControlDescriptor withId(uint32_t id, const char* name)
{
    CControlDescriptor d;
    d.controlId = id;
    d.name = name;
    return d;
}

} // namespace

TEST(ControlList, EmptyListHasNothingAtAnyPosition)
{
    CControlList list;
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.at(0), nullptr);
    EXPECT_EQ(list.at(-1), nullptr);
    list.removeById(withId(1, "x"));  // nothing happens
    EXPECT_EQ(list.count(), 0);
}

TEST(ControlList, AppendKeepsOrderAndStoresIndependentCopies)
{
    CControlList list;
    CControlDescriptor d = withId(7, "a");
    list.append(d);
    list.append(d);
    list.append(withId(9, "b"));
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.at(3), nullptr);
    EXPECT_NE(list.at(0), list.at(1));
    EXPECT_STREQ(list.at(1)->name, "a");
    EXPECT_EQ(list.at(2)->controlId, 9u);
    list.at(0)->controlId = 8;
    EXPECT_EQ(list.at(1)->controlId, 7u);
}

TEST(ControlList, RemoveByIdRemovesOnlyTheFirstMatch)
{
    CControlList list;
    list.append(withId(1, "first"));
    list.append(withId(2, "second"));
    list.append(withId(2, "third"));
    list.removeById(withId(2, ""));
    ASSERT_EQ(list.count(), 2);
    EXPECT_STREQ(list.at(0)->name, "first");
    EXPECT_STREQ(list.at(1)->name, "third");
    list.removeById(withId(1, ""));
    EXPECT_STREQ(list.at(0)->name, "third");
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.at(0), nullptr);
}

// Reference counting, shared pointers and transforms.
#include "gui/base/cbaseobject.h"
#include "gui/base/cgraphicstransform.h"
#include "gui/base/sharedpointer.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace {

class Counted : public CBaseObject
{
public:
    explicit Counted(int& d) : deleted(d) {}
    ~Counted() override { ++deleted; }
    int& deleted;
};

} // namespace

TEST(BaseObject, LivesAsLongAsItsReferences)
{
    int deleted = 0;
    auto* object = new Counted(deleted);
    EXPECT_EQ(object->getNbReference(), 1);
    {
        SharedPointer<Counted> a(object);  // a second reference
        SharedPointer<Counted> b = a;
        EXPECT_EQ(object->getNbReference(), 3);
        SharedPointer<Counted> c = std::move(b);
        EXPECT_EQ(object->getNbReference(), 3);
        c = nullptr;
        EXPECT_EQ(object->getNbReference(), 2);
    }
    EXPECT_EQ(deleted, 0);
    object->forget();
    EXPECT_EQ(deleted, 1);

    auto adopted = makeOwned<Counted>(deleted);
    EXPECT_EQ(adopted->getNbReference(), 1);
    Counted* raw = adopted.release();
    EXPECT_EQ(deleted, 1);
    raw->forget();
    EXPECT_EQ(deleted, 2);

    SharedPointer<Counted> self = makeOwned<Counted>(deleted);
    self = self.get();  // assigning itself keeps it alive
    EXPECT_EQ(self->getNbReference(), 1);
    // A copy of an object starts with its own single reference.
    Counted copy(*self);
    EXPECT_EQ(copy.getNbReference(), 1);
}

TEST(GraphicsTransform, ComposesInvertsAndMapsRects)
{
    CGraphicsTransform t;
    EXPECT_TRUE(t.isInvariant());
    t.translate(10, 20).scale(2, 3);  // translate first, then scale
    EXPECT_EQ(t.transform(CPoint(1, 1)), CPoint(22, 63));
    const CGraphicsTransform inverse = t.inverse();
    const CPoint back = inverse.transform(CPoint(22, 63));
    EXPECT_NEAR(back.x, 1, 1e-12);
    EXPECT_NEAR(back.y, 1, 1e-12);
    EXPECT_EQ(t.transform(CRect(0, 0, 1, 1)), CRect(20, 60, 22, 63));
    CGraphicsTransform r;
    r.rotate(90);  // clockwise on screen: right becomes down
    const CPoint p = r.transform(CPoint(1, 0));
    EXPECT_NEAR(p.x, 0, 1e-12);
    EXPECT_NEAR(p.y, 1, 1e-12);
    EXPECT_EQ(CGraphicsTransform(0, 0, 0, 0, 1, 1).inverse(), CGraphicsTransform());  // singular
}

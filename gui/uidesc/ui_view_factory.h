// UIViewFactory: builds the toolkit's classes by name for a description and
// applies an entry's attributes to a view, class by class from the most derived
// one up to CView (so origin, size and bitmap come last).
#pragma once

#include <string>

namespace VSTGUI {

class CView;
class IUIDescription;
class UIAttributes;

namespace UIViewFactory {

/// True for a class name the factory can build.
bool isKnownClass(const std::string& className);
/// The name of `className`'s base class ("" for CView and unknown names).
std::string baseClassOf(const std::string& className);
/// A new view of `className` with the class defaults and `attributes` applied. An
/// unknown or empty name builds a CViewContainer. `usedClass` receives the class
/// actually built. [UI thread]
CView* createView(const std::string& className, const UIAttributes& attributes,
                  const IUIDescription* description, std::string* usedClass = nullptr);
/// Applies `attributes` to `view` through `className`'s chain; parts that do not
/// match the view's type are skipped. [UI thread]
void applyAttributes(CView* view, const std::string& className, const UIAttributes& attributes,
                     const IUIDescription* description);

} // namespace UIViewFactory
} // namespace VSTGUI

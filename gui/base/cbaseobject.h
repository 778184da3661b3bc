// CBaseObject: the reference-counted base of views, bitmaps, fonts and timers,
// with a message hook (`notify`) that timers and editors use.
#pragma once

#include <atomic>
#include <cstdint>

namespace VSTGUI {

using IdStringPtr = const char*;
using UTF8StringPtr = const char*;

/// What `notify` answers.
enum CMessageResult
{
    kMessageUnknown = 0,
    kMessageNotified = 1,
};

class CBaseObject
{
public:
    CBaseObject() = default;
    /// A copy starts with its own single reference.
    CBaseObject(const CBaseObject&) : nbReference(1) {}
    CBaseObject& operator=(const CBaseObject&) { return *this; }
    virtual ~CBaseObject() = default;

    /// Adds a reference. [any]
    virtual void remember() { nbReference.fetch_add(1, std::memory_order_relaxed); }
    /// Drops a reference; the object deletes itself when none is left. [any]
    virtual void forget()
    {
        if (nbReference.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }
    /// The number of references held. [any]
    int32_t getNbReference() const { return nbReference.load(std::memory_order_relaxed); }

    /// A message from `sender` (a timer, a controller...). Messages are compared by
    /// pointer, never by text. [UI thread]
    virtual CMessageResult notify(CBaseObject* sender, IdStringPtr message)
    {
        (void)sender;
        (void)message;
        return kMessageUnknown;
    }

private:
    // Atomic so that the immutable predefined objects (fonts) may be shared by
    // editors of plug-in instances living on different host threads.
    std::atomic<int32_t> nbReference{1};
};

} // namespace VSTGUI

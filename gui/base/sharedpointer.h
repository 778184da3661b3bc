// SharedPointer: an owning pointer to a CBaseObject that counts through
// remember/forget. makeOwned creates an object and adopts its first reference.
#pragma once

#include <utility>

namespace VSTGUI {

template <class T>
class SharedPointer
{
public:
    SharedPointer() = default;
    /// Takes a new reference on `p` (unless `adopt`, which takes over the caller's).
    SharedPointer(T* p, bool adopt = false) : ptr(p)
    {
        if (ptr && !adopt)
            ptr->remember();
    }
    SharedPointer(const SharedPointer& o) : SharedPointer(o.ptr) {}
    SharedPointer(SharedPointer&& o) noexcept : ptr(std::exchange(o.ptr, nullptr)) {}
    template <class U>
    SharedPointer(const SharedPointer<U>& o) : SharedPointer(o.get())
    {
    }
    ~SharedPointer() { reset(); }

    SharedPointer& operator=(const SharedPointer& o) { return *this = o.ptr; }
    SharedPointer& operator=(SharedPointer&& o) noexcept
    {
        if (this != &o)
        {
            reset();
            ptr = std::exchange(o.ptr, nullptr);
        }
        return *this;
    }
    SharedPointer& operator=(T* p)
    {
        if (p)
            p->remember();
        reset();
        ptr = p;
        return *this;
    }

    void reset()
    {
        if (T* old = std::exchange(ptr, nullptr))
            old->forget();
    }
    /// Gives up the reference without dropping it: the caller now owns it.
    T* release() { return std::exchange(ptr, nullptr); }
    T* get() const { return ptr; }
    T* operator->() const { return ptr; }
    T& operator*() const { return *ptr; }
    operator T*() const { return ptr; }
    explicit operator bool() const { return ptr != nullptr; }

    template <class U>
    SharedPointer<U> cast() const
    {
        return SharedPointer<U>(dynamic_cast<U*>(ptr));
    }

private:
    T* ptr = nullptr;
};

/// Creates a T and hands back its single reference.
template <class T, class... Args>
SharedPointer<T> makeOwned(Args&&... args)
{
    return SharedPointer<T>(new T(std::forward<Args>(args)...), true);
}

/// Adopts the reference `p` already carries (e.g. from `new`).
template <class T>
SharedPointer<T> owned(T* p)
{
    return SharedPointer<T>(p, true);
}

} // namespace VSTGUI

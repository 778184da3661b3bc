// CTapArray: a counted array of doubles, owned. The engine keeps one per band
// for the band impulse responses; the band design writes the values.
#pragma once

#include <memory>

class CTapArray
{
public:
    /// Allocates count values, left uninitialised until the band design writes them. [main]
    explicit CTapArray(int count) : m_count(count), m_values(new double[static_cast<size_t>(count)]) {}
    CTapArray(const CTapArray&) = delete;
    CTapArray& operator=(const CTapArray&) = delete;
    CTapArray(CTapArray&&) noexcept = default;
    CTapArray& operator=(CTapArray&&) noexcept = default;

    /// Number of values. [any]
    int count() const noexcept { return m_count; }
    /// The values, e.g. response.values()[n] for tap n. [any]
    double* values() noexcept { return m_values.get(); }
    const double* values() const noexcept { return m_values.get(); }
    /// Value n (0 <= n < count()). [any]
    double operator[](int n) const noexcept { return m_values[static_cast<size_t>(n)]; }

private:
    int m_count;
    std::unique_ptr<double[]> m_values;
};

// CPartitionSpectra: the spectra of a filter's P tap partitions, laid out for the
// partition-sum kernels (partition_sums.h): partitionSpectrumSize(stride) doubles
// per partition, a row of real parts and a row of imaginary parts, 64-byte aligned.
// Channels that filter with the same taps read one of these together.
#pragma once

#include "dsp/partition_sums.h"
#include "dsp/simd.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CPartitionSpectra
{
public:
    /// P partitions of B bins, all zero. [main]
    CPartitionSpectra(int P, int B)
        : m_P(P),
          m_stride(spectrumStride(B)),
          m_size(partitionSpectrumSize(m_stride)),
          m_storage(static_cast<size_t>(P) * static_cast<size_t>(m_size) + 8, 0.0)
    {
        const auto address = reinterpret_cast<std::uintptr_t>(m_storage.data());
        m_data = m_storage.data() + ((64 - address % 64) % 64) / sizeof(double);
        simdLevel();
    }
    CPartitionSpectra(const CPartitionSpectra&) = delete;
    CPartitionSpectra& operator=(const CPartitionSpectra&) = delete;

    /// The real and imaginary parts of partition p (stride() bins each). [audio]
    double* re(int p) noexcept { return partition(p); }
    double* im(int p) noexcept { return partition(p) + m_stride; }
    /// The first partition; partition p starts p * partitionSpectrumSize(stride()) later. [audio]
    const double* data() const noexcept { return m_data; }
    double* data() noexcept { return m_data; }
    /// Number of partitions P. [any]
    int count() const noexcept { return m_P; }
    /// Bins per row. [any]
    int stride() const noexcept { return m_stride; }

private:
    double* partition(int p) noexcept
    {
        return m_data + static_cast<size_t>(p) * static_cast<size_t>(m_size);
    }

    int m_P;
    int m_stride;
    int m_size;
    std::vector<double> m_storage;
    double* m_data = nullptr;
};

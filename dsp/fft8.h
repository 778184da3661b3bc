// The 8-point DFT at the heart of the fixed-size 128-point transforms, written once
// for any vector type (real_fft_128.cpp runs it on four columns at a time,
// real_fft_128_wide.cpp on eight): every lane gets the same operations, so the
// results do not depend on the width.
#pragma once

#include "dsp/vector4.h"

namespace fft8detail {

constexpr double kSqrtHalf = 0.70710678118654752440;

// x * (s*i): (x + iy) * i = -y + ix, (x + iy) * (-i) = y - ix.
template <int kSign, typename V>
CORVALE_INLINE void timesI(const V& xr, const V& xi, V& outR, V& outI) noexcept
{
    if constexpr (kSign > 0)
    {
        outR = -xi;
        outI = xr;
    }
    else
    {
        outR = xi;
        outI = -xr;
    }
}

// 4-point DFT of b0..b3 (exp(kSign*2*pi*i*jm/4)), natural order in place.
template <int kSign, typename V>
CORVALE_INLINE void dft4(V& r0, V& i0, V& r1, V& i1, V& r2, V& i2, V& r3, V& i3) noexcept
{
    const V t0r = r0 + r2, t0i = i0 + i2;
    const V t1r = r0 - r2, t1i = i0 - i2;
    const V t2r = r1 + r3, t2i = i1 + i3;
    V t3r, t3i;
    timesI<kSign>(r1 - r3, i1 - i3, t3r, t3i);
    r0 = t0r + t2r;
    i0 = t0i + t2i;
    r2 = t0r - t2r;
    i2 = t0i - t2i;
    r1 = t1r + t3r;
    i1 = t1i + t3i;
    r3 = t1r - t3r;
    i3 = t1i - t3i;
}

// 8-point DFT down the columns of r/i[0..7], natural order in place: the even outputs are
// the 4-point DFT of a[j] + a[j+4], the odd ones that of (a[j] - a[j+4]) * w^j,
// w = exp(kSign*i*pi/4). kUpperZero: a[4..7] are zero.
template <int kSign, bool kUpperZero, typename V>
CORVALE_INLINE void fft8(V (&r)[8], V (&i)[8]) noexcept
{
    V ur[4], ui[4], dr[4], di[4];
    for (int j = 0; j < 4; ++j)
    {
        if constexpr (kUpperZero)
        {
            ur[j] = dr[j] = r[j];
            ui[j] = di[j] = i[j];
        }
        else
        {
            ur[j] = r[j] + r[j + 4];
            ui[j] = i[j] + i[j + 4];
            dr[j] = r[j] - r[j + 4];
            di[j] = i[j] - i[j + 4];
        }
    }
    const V c = V {} + kSqrtHalf;
    // w = c + i*s*c, w^2 = s*i, w^3 = -c + i*s*c.
    V v1r, v1i, v3r, v3i, v2r, v2i;
    if constexpr (kSign > 0)
    {
        v1r = c * (dr[1] - di[1]);
        v1i = c * (di[1] + dr[1]);
        v3r = -(c * (dr[3] + di[3]));
        v3i = c * (dr[3] - di[3]);
    }
    else
    {
        v1r = c * (dr[1] + di[1]);
        v1i = c * (di[1] - dr[1]);
        v3r = -(c * (dr[3] - di[3]));
        v3i = -(c * (dr[3] + di[3]));
    }
    timesI<kSign>(dr[2], di[2], v2r, v2i);
    dft4<kSign>(ur[0], ui[0], ur[1], ui[1], ur[2], ui[2], ur[3], ui[3]);
    dft4<kSign>(dr[0], di[0], v1r, v1i, v2r, v2i, v3r, v3i);
    r[0] = ur[0], i[0] = ui[0], r[2] = ur[1], i[2] = ui[1];
    r[4] = ur[2], i[4] = ui[2], r[6] = ur[3], i[6] = ui[3];
    r[1] = dr[0], i[1] = di[0], r[3] = v1r, i[3] = v1i;
    r[5] = v2r, i[5] = v2i, r[7] = v3r, i[7] = v3i;
}

} // namespace fft8detail

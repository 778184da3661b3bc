#include "block_time_histogram.h"

#include <algorithm>
#include <cmath>

namespace corvale::soak {

void BlockTimeHistogram::record(double fractionOfBudget)
{
    if (!(fractionOfBudget >= 0.0))
        fractionOfBudget = 0.0;
    worst_ = std::max(worst_, fractionOfBudget);
    ++count_;
    int bin = 0;
    if (fractionOfBudget > kLowest)
        bin = static_cast<int>(std::log10(fractionOfBudget / kLowest) * kBinsPerDecade);
    bins_[static_cast<size_t>(std::clamp(bin, 0, kBins - 1))] += 1;
}

double BlockTimeHistogram::upperEdge(int bin)
{
    return kLowest * std::pow(10.0, static_cast<double>(bin + 1) / kBinsPerDecade);
}

double BlockTimeHistogram::percentile(double fraction) const
{
    if (count_ == 0)
        return 0.0;
    const double wanted = std::ceil(fraction * static_cast<double>(count_));
    uint64_t seen = 0;
    for (int bin = 0; bin < kBins; ++bin)
    {
        seen += bins_[static_cast<size_t>(bin)];
        if (static_cast<double>(seen) >= wanted)
            return std::min(upperEdge(bin), worst_);
    }
    return worst_;
}

} // namespace corvale::soak

// CBandSet::shared: one set per (sample rate, design size) for the whole process.
#include "dsp/band_set.h"

#include <map>
#include <mutex>
#include <utility>

std::shared_ptr<const CBandSet> CBandSet::shared(int sampleRate, int designSize)
{
    // Instances are created on hosts' main threads, sometimes several at once: the lock
    // makes the first request design the set and the others wait for it rather than
    // design it again. The sets stay for the life of the process (a few rates, at most
    // a megabyte each), so a host that creates and releases instances does not pay
    // the design each time.
    static std::mutex lock;
    static std::map<std::pair<int, int>, std::shared_ptr<const CBandSet>> sets;
    const std::lock_guard<std::mutex> guard(lock);
    std::shared_ptr<const CBandSet>& set = sets[{sampleRate, designSize}];
    if (set == nullptr)
        set = std::make_shared<const CBandSet>(sampleRate, designSize);
    return set;
}

// ProgressBar: drawing and clearing the bar.
#include "progress_bar.h"

#include <cstdio>

namespace corvale::render {

ProgressBar::ProgressBar(long total, bool enabled)
    : total_(total > 0 ? total : 1),
      enabled_(enabled)
{}

ProgressBar::~ProgressBar()
{
    if (enabled_ && !finished_ && shownPercent_ >= 0)
        std::fputc('\n', stderr);
}

void ProgressBar::update(long done)
{
    if (!enabled_)
        return;
    const int percent = static_cast<int>(100.0 * static_cast<double>(done)
                                         / static_cast<double>(total_));
    if (percent == shownPercent_)
        return;
    shownPercent_ = percent;
    constexpr int kWidth = 40;
    const int filled = percent * kWidth / 100;
    char bar[kWidth + 1];
    for (int i = 0; i < kWidth; ++i)
        bar[i] = i < filled ? '#' : '-';
    bar[kWidth] = '\0';
    std::fprintf(stderr, "\r[%s] %3d%%", bar, percent);
    std::fflush(stderr);
}

void ProgressBar::finish()
{
    if (!enabled_ || finished_)
        return;
    update(total_);
    std::fputc('\n', stderr);
    finished_ = true;
}

} // namespace corvale::render

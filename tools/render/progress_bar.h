// ProgressBar: rendering progress on stderr.
#pragma once

namespace corvale::render {

/// A one-line progress bar on stderr, redrawn when the percentage changes.
class ProgressBar
{
public:
    /// [main] `enabled` false makes every call a no-op.
    ProgressBar(long total, bool enabled);
    ~ProgressBar();

    /// [main] Shows `done` of `total`.
    void update(long done);
    /// [main] Draws 100% and ends the line.
    void finish();

private:
    long total_;
    bool enabled_;
    int shownPercent_ = -1;
    bool finished_ = false;
};

} // namespace corvale::render

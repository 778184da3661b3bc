// Settings from the command line applied to an effect, state files, settling.
#pragma once

#include "effect.h"
#include "options.h"

namespace corvale::render {

/// [main] Applies --load-state, --program and --set, in that order (later ones win).
/// Throws ToolError for an unreadable state file, an unknown program or parameter,
/// a read-only parameter or a value outside the parameter's plain range.
void applySettings(Effect& effect, const Options& options);

/// [main] Writes the effect's state to `path`; throws ToolError.
void saveStateFile(Effect& effect, const std::string& path);

/// [main] Runs silence through the prepared effect so parameter changes reach the processor
/// and gradual changes (filters taking up new taps) are complete before audio goes in.
void settle(Effect& effect, double sampleRate, int channels, int blockSize);

} // namespace corvale::render

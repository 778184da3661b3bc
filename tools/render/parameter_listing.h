// The --list output: parameters and programs.
#pragma once

#include "effect.h"

#include <ostream>

namespace corvale::render {

/// [main] Prints one line per parameter (ID, title, units, default in plain units, the
/// plug-in's text for the current value), then the programs with their indices.
void printListing(Effect& effect, std::ostream& out);

} // namespace corvale::render

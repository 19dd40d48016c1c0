// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Options.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace dovrel::sample {

// What a run wrote.
struct Summary {
    std::size_t vehicleBlueprints = 0;
    std::size_t unreadableBlueprints = 0;
    std::size_t otherBlueprints = 0;
    std::size_t archives = 0;
    std::size_t userConsists = 0;
    std::size_t routes = 0;
    std::size_t scenarios = 0;
    std::size_t scenarioConsists = 0;
    std::size_t files = 0;
    std::uintmax_t bytes = 0;
};

// Writes a whole sample installation into options.folder. Throws SampleError for a folder
// that cannot be used or written.
Summary makeSampleGame(const Options& options);

// The one line printed at the end of a run.
std::string summaryLine(const Options& options, const Summary& summary);

} // namespace dovrel::sample

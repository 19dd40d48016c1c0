// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliArguments.h"
#include "cli/CliInstallation.h"

#include <ostream>

namespace dovrel::cli {

// The exit statuses of the dovrel program.
inline constexpr int kDone = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;
inline constexpr int kUnitsMissing = 3;
// Units not installed are offered stand-ins for this many of them; the rest are only named.
inline constexpr std::size_t kSuggestedUnits = 20;

// Runs one subcommand on the installation: its table or file on out, messages on err; the exit status.
int runSubcommand(const CliCommand& command, CliInstallation& installation, std::ostream& out,
                  std::ostream& err);

} // namespace dovrel::cli

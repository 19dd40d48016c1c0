// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace dovrel::cli {

// The dovrel program: reads its command line and the editor's settings, program folder and
// converter from the environment, runs the subcommand and returns the exit status.
int runDovrel(int argc, char** argv);

} // namespace dovrel::cli

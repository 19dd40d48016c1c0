// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace dovrel {

// The whole program: the single-instance check, start-up, the window and its event loop.
// Returns the process's exit code.
int runEditor(int argc, char** argv);

} // namespace dovrel

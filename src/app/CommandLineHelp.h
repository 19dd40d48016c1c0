// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace dovrel {

// What "dovrel-consist-editor --help" prints: the command lines, every option, the files the editor
// keeps and where, the environment variables, the exit statuses and the licence. The manual page
// dovrel-consist-editor(1) says the same at more length.
std::string commandLineHelp();

// The first lines of the help, the command lines alone: what a wrong command line is answered with.
std::string commandLineUsage();

// What "dovrel-consist-editor --version" prints: the program's name and version, and the licence.
std::string versionText();

} // namespace dovrel

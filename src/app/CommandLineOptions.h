// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dovrel {

// The first argument after the program's name that the editor does not take: neither one of its own
// options ("--script FILE", "--set-game-folder DIR", "--help", "--version") nor one of Qt's
// standard options, each with the value it takes ("-platform NAME", "-style=NAME", "-reverse", ...,
// with one dash or two). Nothing when every argument is taken.
std::optional<std::string> unknownArgument(std::span<const std::string_view> arguments);

} // namespace dovrel

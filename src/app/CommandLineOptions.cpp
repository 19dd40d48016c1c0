// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLineOptions.h"

#include <algorithm>
#include <array>

namespace dovrel {

namespace {
// Options followed by their value as the next argument: the editor's own and Qt's (the
// application's, the window system plug-ins' and the X11 plug-in's).
constexpr std::array<std::string_view, 18> kWithValue{"--script",         "--set-game-folder",
                                                      "-platform",        "-platformpluginpath",
                                                      "-platformtheme",   "-plugin",
                                                      "-qwindowgeometry", "-qwindowtitle",
                                                      "-qwindowicon",     "-geometry",
                                                      "-title",           "-icon",
                                                      "-display",         "-name",
                                                      "-visual",          "-session",
                                                      "-style",           "-stylesheet"};
constexpr std::array<std::string_view, 8> kAlone{"--help",  "--version", "-reverse", "-widgetcount",
                                                 "-nograb", "-dograb",   "-sync",    "-testability"};
// Qt's options that carry their value after "=".
constexpr std::array<std::string_view, 3> kWithEquals{"-style=", "-stylesheet=", "-qmljsdebugger="};

bool listed(std::span<const std::string_view> names, std::string_view argument) {
    // Qt takes its options with one dash or two.
    const std::string_view oneDash = argument.starts_with("--") ? argument.substr(1) : argument;
    return std::ranges::any_of(names,
                               [&](std::string_view name) { return name == argument || name == oneDash; });
}
} // namespace

std::optional<std::string> unknownArgument(std::span<const std::string_view> arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (listed(kWithValue, argument)) {
            ++i;
            continue;
        }
        if (listed(kAlone, argument)) {
            continue;
        }
        const std::string_view oneDash = argument.starts_with("--") ? argument.substr(1) : argument;
        if (std::ranges::any_of(kWithEquals,
                                [&](std::string_view prefix) { return oneDash.starts_with(prefix); })) {
            continue;
        }
        return std::string(argument);
    }
    return std::nullopt;
}

} // namespace dovrel

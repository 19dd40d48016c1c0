// SPDX-License-Identifier: GPL-3.0-or-later
// make-sample-game: writes a realistic installation of the game for trying out and testing the
// editor. See usageText() in Options.cpp.

#include "Options.h"
#include "SampleFolder.h"
#include "SampleGame.h"

#include <cstdio>
#include <exception>
#include <string>
#include <variant>
#include <vector>

int main(int argc, char** argv) {
    using namespace dovrel::sample;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto parsed = parseOptions(arguments);
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "make-sample-game: %s\n%s", problem->c_str(), usageText().c_str());
        return 2;
    }
    const Options& options = std::get<Options>(parsed);
    if (options.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    try {
        const Summary summary = makeSampleGame(options);
        std::printf("%s\n", summaryLine(options, summary).c_str());
        return 0;
    } catch (const SampleError& error) {
        std::fprintf(stderr, "make-sample-game: %s\n", error.what());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make-sample-game: stopped: %s\n", error.what());
    }
    return 1;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// bench_cli: runs `dovrel stock` (TSV and JSON) on an installation whose catalogue cache in the
// program folder holds 50,000 records, with standard output to /dev/null, and prints the median of
// 7 runs against the target of 0.3 s; and, for scale, the same program printing its usage (the start
// of the process alone). Usage: bench_cli [DOVREL] (default: dovrel beside this program).

#include "BenchSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace dovrel::bench;
namespace fs = std::filesystem;

constexpr int kRecords = 50000;
constexpr int kRuns = 7;
constexpr double kTargetSeconds = 0.3;

std::string record(int i) {
    const std::string name = "Unit " + std::to_string(i);
    const std::string folder = "RailVehicles\\Class" + std::to_string(i % 400) + "\\Unit" + std::to_string(i);
    return std::string(i % 3 == 0 ? "diesel" : "freight") + "|" + name + "|Provider" +
           std::to_string(i % 40) + "|Product" + std::to_string(i % 7) + "|" + folder + "\\unit.xml|" +
           "RailVehicles\\Couplings\\Buffer.xml|RailVehicles\\Couplings\\Buffer.xml|Buffer|Buffer|common " +
           name + "|" + std::to_string(20 + i % 90) + "|" + std::to_string(i % 60) +
           "|1|0.3|0.002|0.3|0.2|0.1|1.5|Coal|0";
}

void writeFile(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

double medianRun(const std::string& command) {
    std::vector<double> seconds;
    for (int run = 0; run < kRuns; ++run) {
        const Clock::time_point start = Clock::now();
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "failed: %s\n", command.c_str());
            std::exit(1);
        }
        seconds.push_back(secondsSince(start));
    }
    return median(seconds);
}

} // namespace

int main(int argc, char** argv) {
    const fs::path dovrel =
        argc > 1 ? fs::path(argv[1]) : fs::canonical("/proc/self/exe").parent_path() / "dovrel";
    const ScratchFolder scratch("dovrel-bench-cli");
    const fs::path game = scratch.path() / "game";
    const fs::path program = scratch.path() / "program";
    fs::create_directories(game / "Content" / "Routes");
    fs::create_directories(game / "Assets");
    fs::create_directories(program);
    std::string cache;
    for (int i = 0; i < kRecords; ++i) {
        cache.append(i == 0 ? "" : "\r\n").append(record(i));
    }
    writeFile(program / "equipmentlist.txt", cache);
    writeFile(program / "equipmentlist.folder", (game / "Assets").string());

    const std::string environment = "env DOVREL_PROGRAM_FOLDER='" + program.string() + "' XDG_CONFIG_HOME='" +
                                    (scratch.path() / "config").string() + "' '" + dovrel.string() + "'";
    const std::string stock = environment + " stock --game '" + game.string() + "'";
    const double tsv = medianRun(stock + " > /dev/null");
    const double json = medianRun(stock + " --format json > /dev/null");
    const double start = medianRun(environment + " --help > /dev/null");

    std::printf("dovrel stock from a cache of %d records (%.1f MB), median of %d runs; load %s\n", kRecords,
                static_cast<double>(cache.size()) / 1e6, kRuns, loadAverage().c_str());
    const auto verdict = [](double seconds) { return seconds <= kTargetSeconds ? "met" : "MISSED"; };
    std::printf("  %-34s %8.3f s   target <= %.1f s: %s (ratio %.2f)\n", "stock, TSV", tsv, kTargetSeconds,
                verdict(tsv), tsv / kTargetSeconds);
    std::printf("  %-34s %8.3f s   target <= %.1f s: %s (ratio %.2f)\n", "stock, JSON", json, kTargetSeconds,
                verdict(json), json / kTargetSeconds);
    std::printf("  %-34s %8.3f s   (ratio stock TSV / start %.1f)\n", "dovrel --help (process start)", start,
                tsv / start);
    return 0;
}

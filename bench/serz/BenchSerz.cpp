// SPDX-License-Identifier: GPL-3.0-or-later
// bench_serz: prints the wall time of one serz process on a blueprint of about 50 KB of XML
// (both directions), and the codec's throughput in MB/s of XML; then, on a scenario of about 100 MB
// of XML written by make-sample-game --scenario-mb 10, the serz process's MB/s of XML per core (its
// user and system time) and its peak memory (ru_maxrss) in both directions.
// Usage: bench_serz [SERZ [MAKE-SAMPLE-GAME]]

#include "serz/BinWriter.h"
#include "serz/Conversion.h"
#include "serz/XmlWriter.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using serz::Document;
using serz::Record;
using serz::ValueType;

std::uint64_t floatBits(float value) {
    return std::bit_cast<std::uint32_t>(value);
}

// A vehicle blueprint's shape: a loader, the blueprint with its names and physics, and a long
// list of child entities with their transforms.
Document blueprint(int children) {
    Document d;
    auto open = [&](const char* name, std::uint32_t id = 0) { d.push_back(Record::open(name, id)); };
    auto close = [&](const char* name) { d.push_back(Record::close(name)); };
    auto text = [&](const char* name, std::string value) {
        d.push_back(Record::string(name, std::move(value)));
    };
    auto number = [&](const char* name, float value) {
        d.push_back(Record::scalar(name, ValueType::Float32, floatBits(value)));
    };
    open("cBlueprintLoader", 0x8A3F2211);
    open("Blueprint");
    open("cEngineBlueprint", 0x1234567);
    text("Name", "Class 66 Diesel");
    open("Localisation::cUserLocalisedString");
    for (const char* language : {"English", "French", "Italian", "German", "Spanish", "Dutch", "Polish"}) {
        text(language, std::string(language) + " Class 66 \xC3\xA9");
    }
    close("Localisation::cUserLocalisedString");
    number("Mass", 126.5f);
    number("MaxTractiveEffort", 409.0f);
    number("MaxBrakingForce", 0.578125f);
    d.push_back(Record::scalar("HasCab", ValueType::Bool, 1));
    d.push_back(Record::scalar("NumberOfAxles", ValueType::Int32, 6));
    for (int i = 0; i < children; ++i) {
        open("cEntityContainerBlueprint::sChild", 0x90000000u + static_cast<std::uint32_t>(i));
        text("ChildName", "Wheel" + std::to_string(i));
        open("BlueprintID");
        open("iBlueprintLibrary::cAbsoluteBlueprintID");
        text("Provider", "SampleWorks");
        text("Product", "LocoPack01");
        text("BlueprintID", "RailVehicles\\Diesel\\Class66\\Default\\Wheel" + std::to_string(i % 4) + ".xml");
        close("iBlueprintLibrary::cAbsoluteBlueprintID");
        close("BlueprintID");
        d.push_back(Record::array("Matrix", ValueType::Float32,
                                  {floatBits(1.0f), floatBits(0.0f), floatBits(-0.0f), floatBits(0.0f),
                                   floatBits(0.0f), floatBits(1.0f), floatBits(0.0f), floatBits(0.0f),
                                   floatBits(0.0f), floatBits(0.0f), floatBits(1.0f), floatBits(0.0f),
                                   floatBits(0.75f * static_cast<float>(i)), floatBits(0.46f),
                                   floatBits(-3.2f), floatBits(1.0f)}));
        number("Scale", 1.0f + 0.001f * static_cast<float>(i));
        d.push_back(Record::nil());
        close("cEntityContainerBlueprint::sChild");
    }
    close("cEngineBlueprint");
    close("Blueprint");
    close("cBlueprintLoader");
    return d;
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// Wall time of one run of the program, in milliseconds; negative when it fails.
double runOnce(const char* program, const fs::path& input) {
    std::string argument = input.string();
    char* argv[] = {const_cast<char*>(program), argument.data(), nullptr};
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0) {
        return -1;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const auto end = Clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    return std::chrono::duration<double, std::milli>(end - start).count();
}

struct Timing {
    double median;
    double best;
};

Timing timeProcess(const char* program, const fs::path& input, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = runOnce(program, input);
        if (ms < 0) {
            std::fprintf(stderr, "bench_serz: %s %s failed\n", program, input.c_str());
            std::exit(1);
        }
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front()};
}

// MB/s of XML for repeated conversions over at least half a second.
double throughput(serz::Direction direction, const std::string& input, std::size_t xmlBytes) {
    int iterations = 0;
    const auto start = Clock::now();
    std::chrono::duration<double> elapsed{};
    do {
        const auto result = serz::convert(direction, input);
        if (!result.ok()) {
            std::fprintf(stderr, "bench_serz: conversion failed: %s\n", result.error().message.c_str());
            std::exit(1);
        }
        ++iterations;
        elapsed = Clock::now() - start;
    } while (elapsed.count() < 0.5);
    return static_cast<double>(xmlBytes) * iterations / elapsed.count() / 1e6;
}

// What one run of a program cost.
struct ProcessCost {
    double wallSeconds = 0;
    double cpuSeconds = 0; // user and system
    double peakMegabytes = 0;
};

ProcessCost runMeasured(std::vector<std::string> arguments, bool quiet = false) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    }
    const auto start = Clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    struct rusage usage {};
    if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench_serz: %s failed\n", arguments.front().c_str());
        std::exit(1);
    }
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return {std::chrono::duration<double>(Clock::now() - start).count(),
            seconds(usage.ru_utime) + seconds(usage.ru_stime), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

// A 64-bit FNV-1a digest of a file, read in pieces: the benchmark keeps no large file in memory, as
// the child inherits its size until the program is loaded, and ru_maxrss would count it.
std::uint64_t digestOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> piece(1 << 20);
    std::uint64_t digest = 0xCBF29CE484222325ULL;
    while (in.read(piece.data(), static_cast<std::streamsize>(piece.size())) || in.gcount() > 0) {
        for (std::streamsize i = 0; i < in.gcount(); ++i) {
            digest =
                (digest ^ static_cast<unsigned char>(piece[static_cast<std::size_t>(i)])) * 0x100000001B3ULL;
        }
    }
    return digest;
}

// The best of three runs of serz on a file (its output is checked against `expected`).
ProcessCost bestOfThree(const char* program, const fs::path& input, const fs::path& output,
                        std::uint64_t expected) {
    ProcessCost best;
    for (int run = 0; run < 3; ++run) {
        const ProcessCost cost = runMeasured({program, input.string()});
        if (run == 0 || cost.cpuSeconds < best.cpuSeconds) {
            best = ProcessCost{cost.wallSeconds, cost.cpuSeconds,
                               std::max(best.peakMegabytes, cost.peakMegabytes)};
        }
    }
    if (digestOf(output) != expected) {
        std::fprintf(stderr, "bench_serz: %s did not give the expected bytes\n", output.c_str());
        std::exit(1);
    }
    return best;
}

// serz on the largest scenario of a generated installation, in both directions.
void scenarioFigures(const char* program, const char* makeSampleGame) {
    const fs::path folder = fs::temp_directory_path() / ("bench_serz-scenario-" + std::to_string(::getpid()));
    runMeasured({makeSampleGame, (folder / "game").string(), "--scenario-mb", "10"}, true);
    fs::path largest;
    for (const auto& entry : fs::recursive_directory_iterator(folder / "game")) {
        if (entry.path().filename() == "Scenario.bin" &&
            (largest.empty() || entry.file_size() > fs::file_size(largest))) {
            largest = entry.path();
        }
    }
    const fs::path bin = folder / "Scenario.bin";
    const fs::path xml = folder / "Scenario.xml";
    fs::copy_file(largest, bin);
    const std::uint64_t binDigest = digestOf(bin);
    runMeasured({program, bin.string()});
    const std::uint64_t xmlDigest = digestOf(xml);
    const double megabytes = static_cast<double>(fs::file_size(xml)) / 1e6;
    const double binMegabytes = static_cast<double>(fs::file_size(bin)) / 1e6;
    const ProcessCost toXml = bestOfThree(program, bin, xml, xmlDigest);
    const ProcessCost toBin = bestOfThree(program, xml, bin, binDigest);
    fs::remove_all(folder);

    std::printf("scenario: %.1f MB of XML, %.1f MB of bin (make-sample-game --scenario-mb 10)\n", megabytes,
                binMegabytes);
    for (const auto& [direction, cost] : {std::pair{"bin -> xml", toXml}, std::pair{"xml -> bin", toBin}}) {
        const double perCore = megabytes / cost.cpuSeconds;
        std::printf("serz process, scenario %s: %.0f MB/s of XML per core (%.2f s of CPU, %.2f s wall; "
                    "target >= 150: %.2fx)\n",
                    direction, perCore, cost.cpuSeconds, cost.wallSeconds, perCore / 150.0);
        std::printf("serz process, scenario %s: peak memory %.1f MB (target <= 64: %.2fx of it)\n", direction,
                    cost.peakMegabytes, cost.peakMegabytes / 64.0);
    }
}

} // namespace

int main(int argc, char** argv) {
    const char* program = argc > 1 ? argv[1] : SERZ_PROGRAM;
    const char* makeSampleGame = argc > 2 ? argv[2] : MAKE_SAMPLE_GAME;
    // About 50 KB of XML.
    const Document document = blueprint(57);
    const auto xml = serz::writeXml(document);
    const auto bin = serz::writeBin(document);
    if (!xml.ok() || !bin.ok()) {
        std::fprintf(stderr, "bench_serz: cannot build the sample blueprint\n");
        return 1;
    }
    const fs::path folder = fs::temp_directory_path() / ("bench_serz-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    writeFile(folder / "FromBin.bin", bin.value());
    writeFile(folder / "FromXml.xml", xml.value());

    constexpr int kRuns = 300;
    const Timing binRun = timeProcess(program, folder / "FromBin.bin", kRuns);
    const Timing xmlRun = timeProcess(program, folder / "FromXml.xml", kRuns);
    const Timing trueRun = timeProcess("/bin/true", folder / "FromBin.bin", kRuns);
    const double toXml = throughput(serz::Direction::BinToXml, bin.value(), xml.value().size());
    const double toBin = throughput(serz::Direction::XmlToBin, xml.value(), xml.value().size());
    fs::remove_all(folder);

    std::printf("sample blueprint: %zu bytes of XML, %zu bytes of bin, %zu records\n", xml.value().size(),
                bin.value().size(), document.size());
    std::printf("serz process, bin -> xml: median %.2f ms, best %.2f ms (target < 3 ms: %.2fx of it)\n",
                binRun.median, binRun.best, binRun.median / 3.0);
    std::printf("serz process, xml -> bin: median %.2f ms, best %.2f ms (target < 3 ms: %.2fx of it)\n",
                xmlRun.median, xmlRun.best, xmlRun.median / 3.0);
    std::printf("empty process (/bin/true) for comparison: median %.2f ms\n", trueRun.median);
    std::printf("codec bin -> xml: %.0f MB/s of XML (target > 50: %.1fx)\n", toXml, toXml / 50.0);
    std::printf("codec xml -> bin: %.0f MB/s of XML (target > 50: %.1fx)\n", toBin, toBin / 50.0);
    std::fflush(stdout);
    scenarioFigures(program, makeSampleGame);
    return 0;
}

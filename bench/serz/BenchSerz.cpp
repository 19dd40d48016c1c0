// SPDX-License-Identifier: GPL-3.0-or-later
// bench_serz: prints the wall time of one serz process on a blueprint of about 50 KB of XML
// (both directions), and the codec's throughput in MB/s of XML. Usage: bench_serz [SERZ]

#include "serz/BinWriter.h"
#include "serz/Conversion.h"
#include "serz/XmlWriter.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
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

} // namespace

int main(int argc, char** argv) {
    const char* program = argc > 1 ? argv[1] : SERZ_PROGRAM;
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
    return 0;
}

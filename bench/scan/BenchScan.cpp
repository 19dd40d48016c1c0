// SPDX-License-Identifier: GPL-3.0-or-later
// bench_scan: generates an installation with make-sample-game and prints, from one run,
//   - the full AssetScan with the bundled converter in the editor (the codec on worker threads),
//   - the bare codec floor: every blueprint read and converted in memory on one thread, and the
//     ratio of the scan to it,
//   - the full AssetScan with the converter as a program (real files, QProcess, the real serz, as
//     with DOVREL_SERZ set), and the ratio of the in-process scan to it,
//   - the same converter runs done bare (spawn serz on each blueprint, wait, read its whole XML),
//     and the ratio of the program scan to them,
//   - the full in-process scan of the same stock generated with --packed, and its ratio to the loose
//     installation's,
//   - the peak resident size of this process after the scan,
//   - the editor's start to a usable window with the scan's cache present against a start with an
//     empty catalogue (the real executable on a script that only dumps),
//   - Refresh Equipment List of the unchanged installation as the user runs it: the real editor,
//     its window's menu item on a script, after the editor's own first start made the cache, the
//     index and the folders' listings; against the same Refresh with the index and the listings
//     removed first (a full scan), both counted over a start that only loads the cache,
//   - with --large N, an installation of N blueprints beside it: its full in-process scan against the
//     first one's, the start with its cache over an empty start, its Refresh through the window, and
//     the editor's peak resident size over those runs.
// Usage: bench_scan [--units N] [--seed S] [--starts R] [--large N]. The programs it runs are found in
// the folder of this executable.

#include "catalogue/AssetScan.h"
#include "catalogue/BlueprintWalk.h"
#include "catalogue/Catalogue.h"
#include "catalogue/SilentScanObserver.h"
#include "convert/BundledCodec.h"
#include "convert/ConverterRunner.h"
#include "convert/WorkingFiles.h"
#include "core/ByteFile.h"
#include "platform/DiskFiles.h"
#include "platform/SpawnProcessRunner.h"
#include "platform/qt/QtEventPump.h"

#include <QCoreApplication>
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

#include "BenchSupport.h"

namespace {

using namespace dovrel::bench;

namespace fs = std::filesystem;
using namespace dovrel;

// This process's environment with some variables set to other values.
std::vector<std::string> environmentWith(const std::map<std::string, std::string>& changes) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        const std::string name(text.substr(0, text.find('=')));
        if (!changes.contains(name)) {
            entries.emplace_back(text);
        }
    }
    for (const auto& [name, value] : changes) {
        entries.push_back(name + "=" + value);
    }
    return entries;
}

// Runs a program without a shell and waits for it: standard input closed, output shown or
// discarded. The exit status, or -1 when it could not start or was killed. With `peakMegabytes`, the
// larger of it and the program's peak resident size is left there.
int runProgram(const fs::path& program, const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment, bool showOutput,
               double* peakMegabytes = nullptr) {
    std::vector<std::string> argumentTexts = {program.string()};
    argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : argumentTexts) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> environmentTexts = environment;
    std::vector<char*> envp;
    for (std::string& entry : environmentTexts) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (!showOutput) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    pid_t child = 0;
    const int started = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) {
        return -1;
    }
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status)) {
        return -1;
    }
    if (peakMegabytes != nullptr) {
        *peakMegabytes = std::max(*peakMegabytes, static_cast<double>(usage.ru_maxrss) / 1024.0);
    }
    return WEXITSTATUS(status);
}

struct Options {
    int units = 5000;
    int seed = 1;
    int starts = 5;
    int large = 0; // blueprints of the large installation; none without --large
};

std::optional<int> positiveNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1) {
        return std::nullopt;
    }
    return value;
}

std::optional<Options> parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view name(argv[i]);
        if (i + 1 >= argc) {
            return std::nullopt;
        }
        const std::optional<int> value = positiveNumber(argv[++i]);
        if (!value) {
            return std::nullopt;
        }
        if (name == "--units") {
            options.units = *value;
        } else if (name == "--seed") {
            options.seed = *value;
        } else if (name == "--starts") {
            options.starts = *value;
        } else if (name == "--large") {
            options.large = *value;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

fs::path executableFolder(const char* argv0) {
    const std::string_view invoked(argv0);
    if (invoked.find('/') != std::string_view::npos) {
        return fs::weakly_canonical(fs::absolute(invoked)).parent_path();
    }
    return fs::read_symlink("/proc/self/exe").parent_path();
}

// Message boxes that count the messages by icon and answer OK.
class RecordingMessages final : public MessageBoxes {
public:
    MessageAnswer show(const std::string&, MessageIcon icon, MessageButtons) override {
        ++byIcon_[iconName(icon)];
        return MessageAnswer::OK;
    }
    std::string summary() const {
        std::string text;
        for (const auto& [icon, count] : byIcon_) {
            text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + icon;
        }
        return text.empty() ? "none" : text;
    }

private:
    std::map<std::string, int> byIcon_;
};

struct ScanResult {
    double seconds = 0.0;
    AssetScanReport report;
    std::size_t records = 0;
    std::string messages;
};

ScanResult timeAssetScan(const fs::path& serz, const AssetScanFolders& folders, ConverterMode mode) {
    DiskFiles files;
    SpawnProcessRunner processes;
    ConverterRunner converter(files, processes, serz, false, mode);
    QtEventPump events;
    RecordingMessages messages;
    SilentScanObserver observer;
    dovrel::AssetScan scan(files, converter, events, messages, observer);
    Catalogue catalogue;

    ScanResult result;
    const Clock::time_point start = Clock::now();
    result.report = scan.run(folders, catalogue);
    result.seconds = secondsSince(start);
    result.records = catalogue.size();
    result.messages = messages.summary();
    return result;
}

std::vector<fs::path> blueprintFiles(const fs::path& assetsFolder) {
    std::vector<fs::path> found;
    BlueprintWalk walk(assetsFolder);
    walk.forEachBlueprint(listProductFolders(assetsFolder),
                          [&](const FoundBlueprint& blueprint) { found.push_back(blueprint.file); });
    return found;
}

struct BareResult {
    double seconds = 0.0;
    int failures = 0;
    std::uintmax_t bytesRead = 0;
};

// The least an in-process scan must do per blueprint, on one thread: read its bytes and convert them
// to XML in memory.
BareResult timeCodecFloor(const std::vector<fs::path>& blueprints) {
    BareResult result;
    const Clock::time_point start = Clock::now();
    for (const fs::path& blueprint : blueprints) {
        const std::optional<std::string> bytes = readWholeFile(blueprint);
        const std::optional<std::string> xml = bytes ? binaryToXml(*bytes) : std::nullopt;
        if (xml) {
            result.bytesRead += xml->size();
        } else {
            ++result.failures;
        }
    }
    result.seconds = secondsSince(start);
    return result;
}

// The least a scan must do per blueprint: run the converter on it and read what it wrote. Each
// output is removed again so the installation stays as generated.
BareResult timeBareConversions(const fs::path& serz, const std::vector<fs::path>& blueprints) {
    const std::vector<std::string> environment = environmentWith({});
    BareResult result;
    const Clock::time_point start = Clock::now();
    for (const fs::path& blueprint : blueprints) {
        const int status = runProgram(serz, {blueprint.string()}, environment, false);
        const fs::path output = converterOutputFor(blueprint);
        if (const std::optional<std::string> text = readWholeFile(output); status == 0 && text) {
            result.bytesRead += text->size();
        } else {
            ++result.failures;
        }
        std::error_code ignored;
        fs::remove(output, ignored);
    }
    result.seconds = secondsSince(start);
    return result;
}

void writeFile(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// One way of starting the editor: its settings, program folder and game folder.
struct StartSetup {
    fs::path configFolder;
    fs::path programFolder;
    fs::path gameFolder;
};

StartSetup prepareStart(const fs::path& root, const fs::path& gameFolder) {
    const StartSetup setup{root / "config", root / "program", gameFolder};
    writeFile(setup.configFolder / "DovrelConsistEditor" / "DovrelConsistEditor.conf",
              "[Preferences]\nGameFolder=" + gameFolder.string() + "\n");
    fs::create_directories(setup.programFolder);
    return setup;
}

// The editor from its start until its window is usable: a script that only dumps the state, so the
// process ends as soon as the start-up (steps 1 to 9) is over.
std::optional<double> timeEditorStart(const fs::path& editor, const StartSetup& setup, const fs::path& script,
                                      const fs::path& screenFile, double* peakMegabytes = nullptr) {
    const std::vector<std::string> environment =
        environmentWith({{"XDG_CONFIG_HOME", setup.configFolder.string()},
                         {"DOVREL_PROGRAM_FOLDER", setup.programFolder.string()},
                         {"QT_QPA_PLATFORM", "offscreen:configfile=" + screenFile.string()}});
    const Clock::time_point start = Clock::now();
    const int status = runProgram(editor, {"--script", script.string()}, environment, false, peakMegabytes);
    const double seconds = secondsSince(start);
    if (status != 0) {
        std::fprintf(stderr, "bench_scan: the editor ended with status %d\n", status);
        return std::nullopt;
    }
    return seconds;
}

const char* verdict(bool met) {
    return met ? "met" : "MISSED";
}

void printFigure(const char* what, double value, const char* unit, const std::string& target = {}) {
    std::printf("  %-44s %10.3f %-3s %s\n", what, value, unit, target.c_str());
}

// The editor's start with a cache, and a start on an empty catalogue, each the median of `starts`.
struct StartFigures {
    double cached = 0.0;
    double empty = 0.0;
    std::size_t cachedRuns = 0;
    std::size_t emptyRuns = 0;
};

StartFigures timeStarts(const fs::path& editor, const fs::path& root, const fs::path& game,
                        const fs::path& cacheFile, const fs::path& script, const fs::path& screenFile,
                        int starts, double* peakMegabytes) {
    const fs::path emptyGame = root / "empty-game";
    fs::create_directories(emptyGame / "Content" / "Routes");
    fs::create_directories(emptyGame / "Assets");
    const StartSetup cached = prepareStart(root / "start-cached", game);
    fs::copy_file(cacheFile, cached.programFolder / "equipmentlist.txt",
                  fs::copy_options::overwrite_existing);
    const StartSetup empty = prepareStart(root / "start-empty", emptyGame);
    std::vector<double> cachedTimes;
    std::vector<double> emptyTimes;
    for (int i = 0; i < starts; ++i) {
        if (const std::optional<double> seconds =
                timeEditorStart(editor, cached, script, screenFile, peakMegabytes)) {
            cachedTimes.push_back(*seconds);
        }
        std::error_code ignored;
        fs::remove(empty.programFolder / "equipmentlist.txt", ignored);
        if (const std::optional<double> seconds = timeEditorStart(editor, empty, script, screenFile)) {
            emptyTimes.push_back(*seconds);
        }
    }
    return {median(cachedTimes), median(emptyTimes), cachedTimes.size(), emptyTimes.size()};
}

// Refresh Equipment List through the window. The editor's first start on the installation scans it
// and leaves the cache, its folder record and the index, as a user's would; then, `starts` times, a
// start that only loads the cache, one that refreshes, and one that refreshes after the index was
// removed (a full scan).
struct RefreshFigures {
    std::optional<double> firstStart;
    bool indexKept = false;
    double loadOnly = 0.0;
    double refreshed = 0.0;
    double rescanned = 0.0;
    std::size_t runs = 0;
    bool sameCache = true;
};

RefreshFigures timeWindowRefresh(const fs::path& editor, const fs::path& root, const fs::path& game,
                                 const std::string& expectedCache, const fs::path& script,
                                 const fs::path& screenFile, int starts, double* peakMegabytes) {
    const StartSetup window = prepareStart(root / "window", game);
    const fs::path refreshScript = root / "refresh.txt";
    writeFile(refreshScript, "answer Yes\nclick mnuRefreshEquipmentList\ndump /dev/null\n");
    RefreshFigures figures;
    figures.firstStart = timeEditorStart(editor, window, script, screenFile, peakMegabytes);
    const fs::path windowIndex = window.programFolder / "equipmentlist.index";
    figures.indexKept = fs::exists(windowIndex);
    std::vector<double> loadOnly;
    std::vector<double> refreshed;
    std::vector<double> rescanned;
    for (int i = 0; i < starts; ++i) {
        if (const std::optional<double> seconds =
                timeEditorStart(editor, window, script, screenFile, peakMegabytes)) {
            loadOnly.push_back(*seconds);
        }
        if (const std::optional<double> seconds =
                timeEditorStart(editor, window, refreshScript, screenFile, peakMegabytes)) {
            refreshed.push_back(*seconds);
        }
        figures.sameCache =
            figures.sameCache &&
            readWholeFile(window.programFolder / "equipmentlist.txt").value_or("-") == expectedCache;
        // Without the index and the folders' listings: a full scan.
        std::error_code ignored;
        fs::remove(windowIndex, ignored);
        fs::remove(window.programFolder / "equipmentlist.listings", ignored);
        if (const std::optional<double> seconds =
                timeEditorStart(editor, window, refreshScript, screenFile, peakMegabytes)) {
            rescanned.push_back(*seconds);
        }
    }
    figures.loadOnly = median(loadOnly);
    figures.refreshed = median(refreshed) - figures.loadOnly;
    figures.rescanned = median(rescanned) - figures.loadOnly;
    figures.runs = std::min({loadOnly.size(), refreshed.size(), rescanned.size()});
    return figures;
}

void printRefresh(const RefreshFigures& figures, std::optional<double> refreshTarget) {
    std::printf("window refresh: first start %s, its index %s; medians of %zu loads, refreshes and refreshes "
                "without the index; its cache is %s the in-process scan's\n",
                figures.firstStart ? "scanned" : "FAILED", figures.indexKept ? "written" : "MISSING",
                figures.runs, figures.sameCache ? "identical to" : "DIFFERENT from");
    printFigure("first start through the window (full scan)", figures.firstStart.value_or(0.0), "s");
    printFigure("Refresh, unchanged installation (over a load)", figures.refreshed, "s",
                refreshTarget ? std::string("target <= ") + std::to_string(*refreshTarget).substr(0, 4) +
                                    " s: " + verdict(figures.refreshed <= *refreshTarget)
                              : std::string());
    printFigure("Refresh without the index (over a load)", figures.rescanned, "s");
    printFigure("ratio Refresh / Refresh without the index", figures.refreshed / figures.rescanned, "",
                std::string("target <= 0.25: ") + verdict(figures.refreshed <= 0.25 * figures.rescanned));
}

bool generate(const fs::path& generator, const fs::path& folder, int units, int seed, bool packed) {
    std::vector<std::string> arguments = {folder.string(), "--units", std::to_string(units), "--seed",
                                          std::to_string(seed)};
    if (packed) {
        arguments.emplace_back("--packed");
    }
    return runProgram(generator, arguments, environmentWith({}), true) == 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: bench_scan [--units N] [--seed S] [--starts R] [--large N]\n");
        return 2;
    }
    const fs::path bin = executableFolder(argv[0]);
    const fs::path serz = bin / "serz";
    const fs::path generator = bin / "make-sample-game";
    const fs::path editor = bin / "dovrel-consist-editor";
    for (const fs::path& program : {serz, generator, editor}) {
        if (::access(program.c_str(), X_OK) != 0) {
            std::fprintf(stderr, "bench_scan: %s is missing; build it first\n", program.c_str());
            return 1;
        }
    }
    QCoreApplication application(argc, argv);

    std::printf("bench_scan: %d units, seed %d; load average %s\n", options->units, options->seed,
                loadAverage().c_str());
    std::fflush(stdout);
    const ScratchFolder scratch;
    const fs::path game = scratch.path() / "game";
    const fs::path packedGame = scratch.path() / "packed-game";
    const Clock::time_point generated = Clock::now();
    for (const auto& [folder, packed] : {std::pair{game, false}, std::pair{packedGame, true}}) {
        if (!generate(generator, folder, options->units, options->seed, packed)) {
            std::fprintf(stderr, "bench_scan: make-sample-game failed\n");
            return 1;
        }
    }
    std::printf("  (generated loose and packed in %.1f s)\n", secondsSince(generated));
    std::fflush(stdout);
    // A scan keeps in its index only the files changed more than a second before it started.
    ::sleep(2);

    // The full scan, as the editor runs it at its first start on this installation: in process, and
    // with the converter as a program.
    const fs::path scanProgram = scratch.path() / "scan-program";
    const AssetScanFolders folders{game / "Assets", scanProgram, scanProgram / "Temp"};
    fs::create_directories(scanProgram);
    const ScanResult scan = timeAssetScan(serz, folders, ConverterMode::InProcess);
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const double peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    const std::string inProcessCache = readWholeFile(scanProgram / "equipmentlist.txt").value_or("");

    const Clock::time_point walked = Clock::now();
    const std::vector<fs::path> blueprints = blueprintFiles(folders.assetsFolder);
    const double walkSeconds = secondsSince(walked);
    const BareResult floor = timeCodecFloor(blueprints);

    const fs::path programScanFolder = scratch.path() / "scan-program-serz";
    fs::create_directories(programScanFolder);
    const ScanResult programScan = timeAssetScan(
        serz, {game / "Assets", programScanFolder, programScanFolder / "Temp"}, ConverterMode::ChildProcess);
    const bool sameCache =
        readWholeFile(programScanFolder / "equipmentlist.txt").value_or("-") == inProcessCache;

    // The same blueprints converted bare by the program.
    const BareResult bare = timeBareConversions(serz, blueprints);

    std::printf("scan: %d blueprint files converted, %zu records stored, messages: %s; cache write %s\n",
                scan.report.blueprintsFound, scan.records, scan.messages.c_str(),
                scan.report.cacheWrite.status.ok ? "ok" : "FAILED");
    std::printf("program scan: %zu records, messages: %s; its cache is %s the in-process one\n",
                programScan.records, programScan.messages.c_str(),
                sameCache ? "identical to" : "DIFFERENT from");
    std::printf(
        "codec floor: %zu blueprints, %d failed, %.1f MB of XML made; bare: %zu serz runs, %d failed\n",
        blueprints.size(), floor.failures, static_cast<double>(floor.bytesRead) / (1024.0 * 1024.0),
        blueprints.size(), bare.failures);
    printFigure("full AssetScan, in process", scan.seconds, "s",
                std::string("target <= 1.5 s: ") + verdict(scan.seconds <= 1.5));
    printFigure("the walk alone (folders listed, files found)", walkSeconds, "s");
    printFigure("bare codec floor (one thread, read + convert)", floor.seconds, "s");
    printFigure("ratio in-process scan / codec floor", scan.seconds / floor.seconds, "");
    printFigure("full AssetScan, serz as a program", programScan.seconds, "s");
    const double againstProgram = scan.seconds / programScan.seconds;
    printFigure("ratio in-process scan / program scan", againstProgram, "",
                std::string("target <= 0.25: ") + verdict(againstProgram <= 0.25));
    printFigure("bare serz runs + whole-file XML reads", bare.seconds, "s");
    printFigure("ratio program scan / bare runs", programScan.seconds / bare.seconds, "",
                std::string("target <= 3: ") + verdict(programScan.seconds / bare.seconds <= 3.0));
    printFigure("per blueprint, in-process scan",
                1000.0 * scan.seconds / std::max(1, scan.report.blueprintsFound), "ms");
    printFigure("per blueprint, program scan",
                1000.0 * programScan.seconds / std::max(1, programScan.report.blueprintsFound), "ms");
    printFigure("peak RSS after the in-process scan", peakMegabytes, "MB",
                std::string("target < 200 MB: ") + verdict(peakMegabytes < 200.0));
    std::fflush(stdout);

    // The same stock, mostly packed in archives.
    const fs::path packedProgram = scratch.path() / "scan-packed";
    fs::create_directories(packedProgram);
    const ScanResult packedScan = timeAssetScan(
        serz, {packedGame / "Assets", packedProgram, packedProgram / "Temp"}, ConverterMode::InProcess);
    const bool packedSame =
        readWholeFile(packedProgram / "equipmentlist.txt").value_or("-") == inProcessCache;
    std::printf("packed: %d blueprints read from %s; its cache is %s the loose installation's\n",
                packedScan.report.blueprintsFound, "archives and loose files",
                packedSame ? "identical to" : "DIFFERENT from");
    printFigure("full AssetScan of the packed installation", packedScan.seconds, "s");
    printFigure("ratio packed scan / loose scan", packedScan.seconds / scan.seconds, "",
                std::string("target <= 1.2: ") + verdict(packedScan.seconds / scan.seconds <= 1.2));
    std::fflush(stdout);

    // Starts of the real editor: the scan's cache in the program folder, against a game whose
    // Assets folder is empty and a program folder without a cache.
    const fs::path script = scratch.path() / "script.txt";
    writeFile(script, "dump /dev/null\n");
    const fs::path screenFile = fs::path(DOVREL_SOURCE_DIR) / "tests" / "screens" / "screen-1280x1024.json";
    const StartFigures starts = timeStarts(editor, scratch.path(), game, scanProgram / "equipmentlist.txt",
                                           script, screenFile, options->starts, nullptr);
    std::printf("starts: median of %zu with the cache (%zu records), %zu with an empty catalogue\n",
                starts.cachedRuns, scan.records, starts.emptyRuns);
    printFigure("start with the cache", starts.cached, "s");
    printFigure("start with an empty catalogue", starts.empty, "s");
    printFigure("difference", starts.cached - starts.empty, "s",
                std::string("target < 0.3 s: ") + verdict(starts.cached - starts.empty < 0.3));
    std::fflush(stdout);

    printRefresh(timeWindowRefresh(editor, scratch.path(), game, inProcessCache, script, screenFile,
                                   options->starts, nullptr),
                 std::nullopt);
    std::fflush(stdout);

    if (options->large > 0) {
        // The large installation: the same generator, the same seed, more blueprints.
        const fs::path largeGame = scratch.path() / "large-game";
        const Clock::time_point largeGenerated = Clock::now();
        if (!generate(generator, largeGame, options->large, options->seed, false)) {
            std::fprintf(stderr, "bench_scan: make-sample-game failed\n");
            return 1;
        }
        std::printf("large installation of %d units (generated in %.1f s)\n", options->large,
                    secondsSince(largeGenerated));
        std::fflush(stdout);
        ::sleep(2);
        const fs::path largeProgram = scratch.path() / "large" / "scan-program";
        fs::create_directories(largeProgram);
        const ScanResult largeScan = timeAssetScan(
            serz, {largeGame / "Assets", largeProgram, largeProgram / "Temp"}, ConverterMode::InProcess);
        ::getrusage(RUSAGE_SELF, &usage);
        const double largePeak = static_cast<double>(usage.ru_maxrss) / 1024.0;
        const std::string largeCache = readWholeFile(largeProgram / "equipmentlist.txt").value_or("");
        std::printf("large scan: %d blueprint files, %zu records stored, messages: %s\n",
                    largeScan.report.blueprintsFound, largeScan.records, largeScan.messages.c_str());
        printFigure("full AssetScan, in process", largeScan.seconds, "s");
        printFigure("ratio to the first installation's scan", largeScan.seconds / scan.seconds, "",
                    std::string("target <= 10: ") + verdict(largeScan.seconds <= 10.0 * scan.seconds));
        printFigure("peak RSS of this process after it", largePeak, "MB",
                    std::string("target <= 300 MB: ") + verdict(largePeak <= 300.0));
        std::fflush(stdout);

        double editorPeak = 0.0;
        const StartFigures largeStarts =
            timeStarts(editor, scratch.path() / "large", largeGame, largeProgram / "equipmentlist.txt",
                       script, screenFile, options->starts, &editorPeak);
        std::printf("large starts: median of %zu with the cache (%zu records), %zu with an empty catalogue\n",
                    largeStarts.cachedRuns, largeScan.records, largeStarts.emptyRuns);
        printFigure("start with the cache", largeStarts.cached, "s");
        printFigure("start with an empty catalogue", largeStarts.empty, "s");
        printFigure("difference", largeStarts.cached - largeStarts.empty, "s",
                    std::string("target <= 0.5 s: ") +
                        verdict(largeStarts.cached - largeStarts.empty <= 0.5));
        std::fflush(stdout);
        printRefresh(timeWindowRefresh(editor, scratch.path() / "large", largeGame, largeCache, script,
                                       screenFile, options->starts, &editorPeak),
                     1.0);
        printFigure("the editor's peak resident size, these runs", editorPeak, "MB",
                    std::string("target <= 300 MB: ") + verdict(editorPeak <= 300.0));
    }
    std::printf("load average at the end %s\n", loadAverage().c_str());
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// bench_userconsists: the main window in this process (offscreen), with the bundled converter and the
// window's real event processing, on a user-consist file of 5,000 consists whose names are 10,000
// characters long (about 50 MB), and on one whose names are 3,000 characters long. For each file it
// prints the time of Open VT User Consists, of a Save that adds a consist, and of a Delete (each
// ending with the list read again), against the target of 5 s for the large file; and the time per
// MB of the large file over that of the smaller one, which stays near 1 when the work grows in
// proportion to the file. Usage: bench_userconsists [NAME_LENGTH ...] (default: 10000 3000)

#include "app/Form1.h"
#include "app/SecondaryWindows.h"
#include "platform/DiskFiles.h"
#include "platform/SpawnProcessRunner.h"
#include "platform/doubles/MemorySettingsStore.h"
#include "platform/doubles/QueuedRandomSource.h"
#include "platform/doubles/ScreenDoubles.h"
#include "platform/qt/QtEventPump.h"
#include "serz/Conversion.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "BenchSupport.h"

namespace {

using namespace dovrel::bench;
using namespace dovrel;
namespace fs = std::filesystem;

constexpr int kConsists = 5000;
constexpr double kTargetSeconds = 5.0;

// Message boxes that answer Yes to a question and OK to the rest, and count what they show.
class AnsweringMessages final : public MessageBoxes {
public:
    MessageAnswer show(const std::string& text, MessageIcon, MessageButtons buttons) override {
        ++count_;
        if (buttons == MessageButtons::OK && text != "Consist saved." &&
            text.find("Consist deleted.") == std::string::npos) {
            std::fprintf(stderr, "bench_userconsists: message: %.200s\n", text.c_str());
        }
        return buttons == MessageButtons::OK ? MessageAnswer::OK : MessageAnswer::Yes;
    }
    int count() const { return count_; }

private:
    int count_ = 0;
};

const std::string kProvider = "Bench Works";
const std::string kProduct = "Pack";
const std::string kBlueprint = R"(RailVehicles\Diesel\Bench\Engine\bench.xml)";

std::string catalogueRecord() {
    return "diesel|Bench Engine|" + kProvider + "|" + kProduct + "|" + kBlueprint +
           "|RailVehicles\\Couplings\\Buffer.xml|RailVehicles\\Couplings\\Buffer.xml|Buffer|Buffer|"
           "Bench Engine|80.5||1|0.3|0.002|0.3|0.2|0.1|1.5|None|0";
}

// A name of the given length, different for every consist from its first characters on.
std::string consistName(int index, std::size_t length) {
    std::string name = "Consist " + std::to_string(index) + " ";
    static constexpr std::string_view kWords = "of the long names that reach the end of the list ";
    while (name.size() < length) {
        name += kWords.substr(0, std::min(kWords.size(), length - name.size()));
    }
    // A name is found by its row's text trimmed of spaces.
    name.back() = '.';
    return name;
}

// The user-consist file as the converter writes it: every consist of two units.
std::string userConsistXml(std::size_t nameLength) {
    std::string x = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                    "<cRecordSet xmlns:d=\"urn:vantor:delta\" d:version=\"1.0\" d:id=\"132395920\">\r\n"
                    "\t<Record>\r\n";
    int id = 100000000;
    for (int i = 0; i < kConsists; ++i) {
        x += "\t\t<cConsistTemplate d:id=\"" + std::to_string(id++) +
             "\">\r\n\t\t\t<Name>\r\n"
             "\t\t\t\t<Localisation-cUserLocalisedString>\r\n"
             "\t\t\t\t\t<English d:type=\"cDeltaString\">" +
             consistName(i, nameLength) + "</English>\r\n";
        for (const char* language : {"French", "Italian", "German", "Spanish"}) {
            x += "\t\t\t\t\t<" + std::string(language) + " d:type=\"cDeltaString\"></" + language + ">\r\n";
        }
        x += "\t\t\t\t\t<Other/>\r\n\t\t\t\t</Localisation-cUserLocalisedString>\r\n\t\t\t</Name>\r\n"
             "\t\t\t<ConsistEntry>\r\n";
        for (int unit = 0; unit < 2; ++unit) {
            x += "\t\t\t\t<cConsistTemplateEntry d:id=\"" + std::to_string(id++) +
                 "\">\r\n"
                 "\t\t\t\t\t<Blueprint>\r\n\t\t\t\t\t\t<iBlueprintLibrary-cAbsoluteBlueprintID>\r\n"
                 "\t\t\t\t\t\t\t<BlueprintSetID>\r\n\t\t\t\t\t\t\t\t<iBlueprintLibrary-cBlueprintSetID>\r\n"
                 "\t\t\t\t\t\t\t\t\t<Provider d:type=\"cDeltaString\">" +
                 kProvider +
                 "</Provider>\r\n"
                 "\t\t\t\t\t\t\t\t\t<Product d:type=\"cDeltaString\">" +
                 kProduct +
                 "</Product>\r\n"
                 "\t\t\t\t\t\t\t\t</iBlueprintLibrary-cBlueprintSetID>\r\n\t\t\t\t\t\t\t</BlueprintSetID>\r\n"
                 "\t\t\t\t\t\t\t<BlueprintID d:type=\"cDeltaString\">" +
                 kBlueprint +
                 "</BlueprintID>\r\n"
                 "\t\t\t\t\t\t</iBlueprintLibrary-cAbsoluteBlueprintID>\r\n\t\t\t\t\t</Blueprint>\r\n"
                 "\t\t\t\t\t<Flipped d:type=\"bool\">" +
                 std::to_string(unit) +
                 "</Flipped>\r\n"
                 "\t\t\t\t</cConsistTemplateEntry>\r\n";
        }
        x += "\t\t\t</ConsistEntry>\r\n\t\t</cConsistTemplate>\r\n";
    }
    x += "\t</Record>\r\n</cRecordSet>\r\n";
    return x;
}

void writeFile(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// Everything the main window works through: real files, processes and event processing, the
// bundled converter in process, answers given at once, settings in memory.
struct BenchWorld {
    explicit BenchWorld(fs::path bundledConverter) : converter(std::move(bundledConverter)) {
        fs::create_directories(scratch.path() / "game" / "Content" / "Routes");
        fs::create_directories(scratch.path() / "game" / "Assets");
        writeFile(scratch.path() / "program" / "equipmentlist.txt", catalogueRecord());
        settings.setValue("GameFolder", (scratch.path() / "game").string());
    }

    fs::path gameFile() const { return scratch.path() / "game" / "Content" / "ConsistTemplates.bin"; }

    Services services() {
        Services s{messages,   fileDialogs, settings, files,  processes,    events,
                   waitCursor, pointer,     folders,  random, {1280, 1024}, scratch.path() / "program",
                   converter};
        s.converterMode = ConverterMode::InProcess;
        return s;
    }

    ScratchFolder scratch{"dovrel-bench-userconsists"};
    fs::path converter;
    AnsweringMessages messages;
    QueuedFileDialogs fileDialogs;
    MemorySettingsStore settings;
    DiskFiles files;
    SpawnProcessRunner processes;
    QtEventPump events;
    CountingWaitCursor waitCursor;
    RecordingPointer pointer;
    RecordingFolderOpener folders;
    QueuedRandomSource random;
};

template <typename Action> double secondsOf(Action&& action) {
    const Clock::time_point start = Clock::now();
    action();
    QCoreApplication::processEvents();
    return secondsSince(start);
}

struct Figures {
    double megabytes = 0.0;
    double open = 0.0;
    double save = 0.0;
    double remove = 0.0;
};

// Opens, saves into and deletes from a file of 5,000 consists with names of the given length.
std::optional<Figures> measure(const fs::path& converter, std::size_t nameLength) {
    BenchWorld world(converter);
    const serz::Result<std::string> bin =
        serz::convert(serz::Direction::XmlToBin, userConsistXml(nameLength));
    if (!bin) {
        std::fprintf(stderr, "bench_userconsists: the file was not made: %s\n", bin.error().message.c_str());
        return std::nullopt;
    }
    writeFile(world.gameFile(), bin.value());
    Figures figures;
    figures.megabytes = static_cast<double>(bin.value().size()) / 1e6;

    Form1 form(world.services());
    if (form.startBeforeShow()) {
        std::fprintf(stderr, "bench_userconsists: the window did not start\n");
        return std::nullopt;
    }
    form.show();
    form.startAfterShow();
    QCoreApplication::processEvents();
    const Form1Controls& c = form.controls();

    figures.open = secondsOf([&] { c.mnuOpenVTUserConsists->trigger(); });
    if (c.List3->count() != kConsists) {
        std::fprintf(stderr, "bench_userconsists: %d consists listed\n", c.List3->count());
        return std::nullopt;
    }
    // The first consist loaded, then saved under a new name: the file is read, the consist added,
    // the file written and read again.
    c.butView->click();
    c.Text1->setText(QStringLiteral("Bench saved consist"));
    figures.save = secondsOf([&] { c.mnuSaveConsistToVTUserConsists->trigger(); });
    // The consist in the middle of the list deleted: the file is read, cut, written and read again.
    c.List3->setCurrentRow(kConsists / 2);
    figures.remove = secondsOf([&] { c.mnuDeleteConsist->trigger(); });
    if (c.List3->count() != kConsists) {
        std::fprintf(stderr, "bench_userconsists: %d consists listed after the save and the delete\n",
                     c.List3->count());
        return std::nullopt;
    }
    return figures;
}

const char* verdict(double seconds) {
    return seconds < kTargetSeconds ? "met" : "MISSED";
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::size_t> lengths;
    for (int i = 1; i < argc; ++i) {
        const long length = std::strtol(argv[i], nullptr, 10);
        if (length <= 0) {
            std::fprintf(stderr, "usage: bench_userconsists [NAME_LENGTH ...]\n");
            return 2;
        }
        lengths.push_back(static_cast<std::size_t>(length));
    }
    if (lengths.empty()) {
        lengths = {10000, 3000};
    }
    const std::string platform =
        "offscreen:configfile=" +
        (fs::path(DOVREL_SOURCE_DIR) / "tests" / "screens" / "screen-1280x1024.json").string();
    ::setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    QApplication application(argc, argv);

    std::printf("bench_userconsists: %d consists of 2 units; load average %s\n", kConsists,
                loadAverage().c_str());
    std::vector<Figures> all;
    for (const std::size_t length : lengths) {
        const std::optional<Figures> figures =
            measure(fs::read_symlink("/proc/self/exe").parent_path() / "serz", length);
        if (!figures) {
            return 1;
        }
        std::printf("  names of %5zu characters, %6.1f MB: open %7.2f s (%s), save %7.2f s (%s), "
                    "delete %7.2f s (%s)\n",
                    length, figures->megabytes, figures->open, verdict(figures->open), figures->save,
                    verdict(figures->save), figures->remove, verdict(figures->remove));
        all.push_back(*figures);
    }
    if (all.size() >= 2) {
        const auto perMegabyte = [&](double Figures::*field) {
            return (all[0].*field / all[0].megabytes) / (all[1].*field / all[1].megabytes);
        };
        std::printf("  time per MB, first file over second (1.0 when linear in the size): open %.2f, "
                    "save %.2f, delete %.2f\n",
                    perMegabyte(&Figures::open), perMegabyte(&Figures::save), perMegabyte(&Figures::remove));
    }
    std::printf("load average at the end %s\n", loadAverage().c_str());
    return 0;
}

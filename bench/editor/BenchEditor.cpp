// SPDX-License-Identifier: GPL-3.0-or-later
// bench_editor: the main window in this process (offscreen) on a full catalogue of 5,001 records with
// 60 distinct couplers, loaded from the cache file. Prints, each with its target:
//   - a list rebuild: a class chosen in Combo3, for every class,
//   - find as you type: each key typed into the find bar, both lists narrowed (a list shown anew is
//     one reset of its model, which reads a row's text only when the view asks for it),
//   - the unit details window filled with 5,001 rows (butDisplayLoco on a full List1),
//   - redrawConsistLine, refreshConsistLine and selectUnit on lines of 100, 1,000 and 5,001 units,
//     each followed by Form1::showConsistDisplay() so the widget side is counted,
//   - the script's state dump on the line of 5,001 units, fresh and after 200 editor commands,
//   - Undo and Redo of one step on a line of 5,001 units (target < 16 ms each), through the menu items,
//   - what the totals caption and the coupler mismatch marks add to a 5,001-unit redraw (target
//     < 2 ms): the totals and gaps computed, and the strip painted with and without its marks,
//   - 500 Views of a 5,001-unit consist, each a step as the window's View makes it: what the history
//     keeps (target < 64 MB) and this process's peak resident size after them (target < 200 MB).
//   - a list item chosen (its couplers looked up by name) and the chosen unit added (looked up by name,
//     case ignored), on the last items of a full List1.
// With --records N the catalogue holds N records and only the browsing figures (list rebuild, find,
// the lookups) are taken; a rebuild then has 50 ms past 5,001 records.
// Figures are medians of several repetitions; "+ paint" is the event processing that follows (the
// window painting what changed), shown apart. Usage: bench_editor [--repetitions N] [--records N]

#include "app/Form1.h"
#include "app/ScriptServices.h"
#include "app/SecondaryWindows.h"
#include "app/StateDump.h"
#include "browser/ConsistTotals.h"
#include "consist/ConsistEditor.h"
#include "consist/ConsistUnit.h"
#include "consist/CouplerCheck.h"
#include "support/WindowDoubles.h"
#include "widgets/ConsistStrip.h"
#include "widgets/ListRowsView.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "BenchSupport.h"

namespace {

using namespace dovrel::bench;

namespace fs = std::filesystem;
using namespace dovrel;

// The consist lines' length, and the catalogue's size unless given.
constexpr int kRecords = 5001;
constexpr int kCouplers = 60;
constexpr double kFrameMs = 16.0;

// Message boxes that count what they are shown and answer OK (Cancel to a question).
class CountingMessages final : public MessageBoxes {
public:
    MessageAnswer show(const std::string& text, MessageIcon, MessageButtons buttons) override {
        ++count_;
        std::fprintf(stderr, "bench_editor: message: %s\n", text.c_str());
        return buttons == MessageButtons::OK ? MessageAnswer::OK : MessageAnswer::Cancel;
    }
    int count() const { return count_; }

private:
    int count_ = 0;
};

// One catalogue record: every loco-side class in turn, distinct names, couplers spread over 60
// coupling blueprints, a handful of providers and products.
std::string recordLine(int index) {
    static constexpr std::array<const char*, 4> kClasses = {"diesel", "electric", "steam", "tender"};
    const auto coupling = [](int n) {
        char name[64];
        std::snprintf(name, sizeof name, "RailVehicles\\Couplings\\Coupler%02d.xml", n % kCouplers);
        return std::string(name);
    };
    const auto shortName = [](int n) {
        char name[16];
        std::snprintf(name, sizeof name, "Coupler%02d", n % kCouplers);
        return std::string(name);
    };
    const std::string unitClass = kClasses[static_cast<std::size_t>(index) % kClasses.size()];
    const std::string name = "Unit " + std::to_string(index) + " " + unitClass;
    const int front = index;
    const int rear = index * 7 + 3;
    const bool tender = unitClass == "tender";
    const std::vector<std::string> fields = {
        unitClass,
        name,
        "Provider" + std::to_string(index % 6),
        "Pack" + std::to_string(index % 4),
        "RailVehicles\\" + unitClass + "\\Unit" + std::to_string(index) + "\\Engine\\unit.xml",
        coupling(front),
        coupling(rear),
        shortName(front),
        shortName(rear),
        "common " + name,
        std::to_string(40 + index % 90) + "." + std::to_string(index % 10),
        tender ? std::to_string(5 + index % 7) + ".5" : "",
        "1",
        "0.3",
        "0.002",
        "0.3",
        "0.2",
        "0.1",
        "1.5",
        tender ? "Coal" : "None",
        index % 9 == 0 ? "1" : "0"};
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += (i == 0 ? "" : "|") + fields[i];
    }
    return line;
}

// The cache file's text: records joined by CR LF, none after the last.
std::string cacheText(int records) {
    std::string text;
    for (int i = 0; i < records; ++i) {
        text += (i == 0 ? "" : "\r\n") + recordLine(i);
    }
    return text;
}

void writeFile(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

fs::path executableFolder(const char* argv0) {
    const std::string_view invoked(argv0);
    if (invoked.find('/') != std::string_view::npos) {
        return fs::weakly_canonical(fs::absolute(invoked)).parent_path();
    }
    return fs::read_symlink("/proc/self/exe").parent_path();
}

// The window's doubles as the tests have them, message boxes that count, and a program folder
// holding the catalogue's cache file.
struct BenchWorld : dovrel::testing::WindowDoubles {
    BenchWorld(fs::path converterProgram, int records) : converter(std::move(converterProgram)) {
        fs::create_directories(scratch.path() / "game" / "Content" / "Routes");
        fs::create_directories(scratch.path() / "game" / "Assets");
        writeFile(scratch.path() / "program" / "equipmentlist.txt", cacheText(records));
        settings.setValue("GameFolder", (scratch.path() / "game").string());
    }

    Services services() {
        return servicesWith(messages, files, {1280, 1024}, scratch.path() / "program", converter);
    }

    ScratchFolder scratch;
    fs::path converter;
    CountingMessages messages;
};

// The median time of an action, and of the event processing (painting) that follows it.
struct Timing {
    double workMs = 0.0;
    double paintMs = 0.0;
};

template <typename Action> Timing timeRepeated(int repetitions, Action&& action) {
    std::vector<double> work;
    std::vector<double> paint;
    for (int i = 0; i < repetitions; ++i) {
        const Clock::time_point start = Clock::now();
        action(i);
        work.push_back(millisecondsSince(start));
        const Clock::time_point painted = Clock::now();
        QCoreApplication::processEvents();
        paint.push_back(millisecondsSince(painted));
    }
    return {median(work), median(paint)};
}

const char* verdict(bool met) {
    return met ? "met" : "MISSED";
}

void printTiming(const std::string& what, const Timing& timing, double targetMs) {
    std::printf("  %-40s %9.3f ms  (+ paint %8.3f ms)  target < %g ms: %s\n", what.c_str(), timing.workMs,
                timing.paintMs, targetMs, verdict(timing.workMs < targetMs));
}

void chooseClass(const Form1Controls& c, int index) {
    c.Combo3->setCurrentIndex(index);
    emit c.Combo3->activated(index);
}

void benchListRebuild(const Form1Controls& c, int repetitions, int records) {
    std::printf("list rebuild: a class chosen in Combo3, List1 over %d records with %d coupler boxes "
                "(+ paint: List1's item layout and repaint)\n",
                records, kCouplers);
    const double target = records > kRecords ? 50.0 : kFrameMs;
    for (int index = 0; index < c.Combo3->count(); ++index) {
        // Each repetition changes the class, so every one is a real rebuild of the list.
        const int other = (index + 1) % c.Combo3->count();
        std::vector<double> work;
        std::vector<double> paint;
        for (int i = 0; i < repetitions; ++i) {
            chooseClass(c, other);
            QCoreApplication::processEvents();
            const Clock::time_point start = Clock::now();
            chooseClass(c, index);
            work.push_back(millisecondsSince(start));
            // The view lays its items out and paints them from a zero timer; done here at once so
            // that the figure does not depend on when the timer comes round.
            const Clock::time_point painted = Clock::now();
            c.List1->doItemsLayout();
            c.List1->viewport()->repaint();
            paint.push_back(millisecondsSince(painted));
        }
        const std::string what =
            c.Combo3->itemText(index).toStdString() + " (" + std::to_string(c.List1->count()) + " items)";
        printTiming(what, {median(work), median(paint)}, target);
    }
}

// A list item chosen, which shows its couplers, and the chosen unit added to the line; both look the
// unit up by its name. The items are the last of the list, so a walk of the catalogue would go far.
void benchLookups(Form1& form, int repetitions) {
    const Form1Controls& c = form.controls();
    chooseClass(c, c.Combo3->findText(QStringLiteral("All")));
    form.editor().clearConsistLine();
    const int count = c.List1->count();
    std::printf("lookups by name: an item near the end of List1 (%d items) chosen, then added\n", count);
    if (count < 2) {
        return;
    }
    std::vector<double> chosen;
    std::vector<double> added;
    for (int i = 0; i < repetitions; ++i) {
        Clock::time_point start = Clock::now();
        c.List1->setCurrentRow(count - 1 - i % 2);
        chosen.push_back(millisecondsSince(start));
        QCoreApplication::processEvents();
        start = Clock::now();
        c.butAddLocoRight->click();
        added.push_back(millisecondsSince(start));
        QCoreApplication::processEvents();
    }
    printTiming("choose an item (couplers by name)", {median(chosen), 0.0}, kFrameMs);
    printTiming("add the chosen unit", {median(added), 0.0}, kFrameMs);
    std::printf("  %d units on the line, the last \"%s\"\n", form.editor().line().unitCount(),
                c.List1->currentRow() >= 0 ? c.List1->text(c.List1->currentRow()).toStdString().c_str() : "");
    form.editor().clearConsistLine();
}

// One key press and release sent to a widget, as the keyboard would.
void pressKey(QWidget* widget, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &release);
}

void benchFind(const Form1Controls& c, int repetitions) {
    chooseClass(c, c.Combo3->findText(QStringLiteral("All")));
    c.mnuFindUnit->trigger();
    const QString typed = QStringLiteral("unit 12");
    std::printf("find as you type: \"%s\" typed into txtFindUnit and taken back with Backspace, both lists "
                "narrowed on each key, List1 starting from %d items\n",
                typed.toStdString().c_str(), c.List1->count());
    std::vector<double> work;
    std::vector<double> paint;
    double worst = 0;
    std::string worstKey;
    for (int i = 0; i < repetitions; ++i) {
        const auto timeKey = [&](int key, const QString& text) {
            const Clock::time_point start = Clock::now();
            pressKey(c.txtFindUnit, key, text);
            work.push_back(millisecondsSince(start));
            if (work.back() > worst) {
                worst = work.back();
                worstKey = "the text made \"" + c.txtFindUnit->text().toStdString() + "\", List1 " +
                           std::to_string(c.List1->count()) + " items";
            }
            const Clock::time_point painted = Clock::now();
            c.List1->doItemsLayout();
            c.List1->viewport()->repaint();
            paint.push_back(millisecondsSince(painted));
        };
        for (const QChar letter : typed) {
            timeKey(letter.toUpper().unicode(), QString(letter));
        }
        for (qsizetype k = 0; k < typed.size(); ++k) {
            timeKey(Qt::Key_Backspace, QString());
        }
    }
    printTiming("a keystroke (median of " + std::to_string(work.size()) + ")", {median(work), median(paint)},
                kFrameMs);
    std::printf("  %-40s %9.3f ms  target < %g ms: %s (%s)\n", "the slowest keystroke", worst, kFrameMs,
                verdict(worst < kFrameMs), worstKey.c_str());
    c.txtFindUnit->clear();
    std::printf("  with the text emptied: List1 has %d items, txtFindUnit \"%s\"\n", c.List1->count(),
                c.txtFindUnit->text().toStdString().c_str());
}

void benchDetails(Form1& form, int repetitions) {
    const Form1Controls& c = form.controls();
    chooseClass(c, c.Combo3->findText(QStringLiteral("All")));
    std::printf("unit details: butDisplayLoco on List1 with %d items\n", c.List1->count());
    const Timing timing = timeRepeated(repetitions, [&](int) { c.butDisplayLoco->click(); });
    const int rows = form.unitDetails().listView()->topLevelItemCount();
    printTiming("fill " + std::to_string(rows) + " rows", timing, 500.0);
    form.unitDetails().hide();
}

std::vector<std::string> consistUnits(const Catalogue& catalogue, int count) {
    const std::span<const std::string> records = catalogue.records();
    std::vector<std::string> units;
    units.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string unit = makeConsistUnit(records[static_cast<std::size_t>(i) % records.size()]);
        if (i % 5 == 4) {
            unit = withToggledHeading(unit);
        }
        units.push_back(std::move(unit));
    }
    return units;
}

void benchConsistLine(Form1& form, int count, int repetitions) {
    ConsistEditor& editor = form.editor();
    editor.clearConsistLine();
    const EditStatus status =
        editor.line().apply(ReplaceLine{{}, consistUnits(form.catalogue(), count), {-1, -1}});
    if (status != EditStatus::Applied || editor.line().unitCount() != count) {
        std::fprintf(stderr, "bench_editor: the line of %d units was not taken\n", count);
        return;
    }
    ConsistDisplay& display = editor.display();
    display.setAnchorLeft(ConsistDisplay::kCentredLeft);
    const double target = count > 1000 ? 100.0 : kFrameMs;
    const std::string units = std::to_string(count) + " units";

    printTiming("redrawConsistLine, " + units,
                timeRepeated(repetitions,
                             [&](int) {
                                 display.redrawConsistLine(0);
                                 form.showConsistDisplay();
                             }),
                target);
    printTiming("refreshConsistLine, " + units,
                timeRepeated(repetitions,
                             [&](int) {
                                 display.refreshConsistLine();
                                 form.showConsistDisplay();
                             }),
                target);
    // Units near the head, in the middle and at the tail, in turn.
    const std::array<int, 3> picks = {1, count / 2, count - 1};
    printTiming("selectUnit, " + units,
                timeRepeated(repetitions,
                             [&](int i) {
                                 display.selectUnit(picks[static_cast<std::size_t>(i) % picks.size()]);
                                 form.showConsistDisplay();
                             }),
                target);
}

// The whole state as a script's "dump" writes it, on the line left by the last consist bench.
void benchDump(Form1& form, int repetitions) {
    ScriptMessageBoxes messages;
    ScriptFileDialogs fileDialogs;
    ScriptPointer pointer;
    ScriptFolderOpener folders;
    const ScriptRecords records{messages, fileDialogs, pointer, folders};
    std::size_t bytes = 0;
    const auto dump = [&](int) { bytes = static_cast<std::size_t>(stateDump(form, records).size()); };
    const std::string units = std::to_string(form.editor().line().unitCount()) + " units";
    std::printf("state dump: every control and set element, the line and the catalogue as JSON\n");
    printTiming("dump, " + units + ", fresh", timeRepeated(repetitions, dump), 100.0);
    const Form1Controls& c = form.controls();
    form.updateCommandAvailability();
    for (int i = 0; i < 200; ++i) {
        (i % 2 == 0 ? c.butTail : c.butHead)->click();
    }
    printTiming("dump, " + units + ", after 200 commands", timeRepeated(repetitions, dump), 100.0);
    std::printf("  %zu bytes of JSON, %zu addresses\n", bytes, form.namedControls().addresses().size());
}

// A line of `count` units drawn around its head, unit `selected` selected, and no history.
bool loadLine(Form1& form, int count, int selected) {
    ConsistEditor& editor = form.editor();
    editor.clearConsistLine();
    editor.line().apply(ReplaceLine{{}, consistUnits(form.catalogue(), count), {-1, -1}});
    editor.history().clear();
    if (editor.line().unitCount() != count) {
        std::fprintf(stderr, "bench_editor: the line of %d units was not taken\n", count);
        return false;
    }
    ConsistDisplay& display = editor.display();
    display.setAnchorLeft(ConsistDisplay::kCentredLeft);
    display.redrawConsistLine(selected);
    display.raiseUnitLabels();
    display.selectUnit(selected);
    form.showConsistDisplay();
    return true;
}

// Undo and Redo of one step, each through its menu item, alternately.
void benchUndoRedo(Form1& form, int repetitions) {
    const Form1Controls& c = form.controls();
    std::printf("undo and redo of one step on a line of %d units (through mnuUndo and mnuRedo)\n", kRecords);
    const std::pair<const char*, QPushButton*> steps[] = {
        {"Shift Unit Right", c.butShiftUnitRight}, {"Reverse Unit", c.butReverseUnit},
        {"Reverse All", c.butReverseAll},          {"Mirror Consist", c.butMirrorConsist},
        {"Delete Unit", c.butDeleteUnitRight},     {"New Consist", c.butNewConsist}};
    for (const auto& [name, button] : steps) {
        if (!loadLine(form, kRecords, kRecords / 2)) {
            return;
        }
        button->click(); // New Consist is asked and answered with Cancel by the bench's boxes
        if (std::string_view(name) == "New Consist") {
            form.editor().beginStep();
            form.editor().history().name("New Consist");
            form.editor().clearConsistLine();
            form.editor().endStep();
            form.showConsistDisplay();
        }
        if (!c.mnuUndo->isEnabled()) {
            std::fprintf(stderr, "bench_editor: %s made no step\n", name);
            continue;
        }
        std::vector<double> undo;
        std::vector<double> redo;
        std::vector<double> editorShare;
        for (int i = 0; i < repetitions; ++i) {
            {
                // The editor's own share: the line and the drawn labels, without the window.
                Clock::time_point start = Clock::now();
                form.editor().undo();
                editorShare.push_back(millisecondsSince(start));
                form.editor().redo();
                form.showConsistDisplay();
                QCoreApplication::processEvents();
            }
            Clock::time_point start = Clock::now();
            c.mnuUndo->trigger();
            undo.push_back(millisecondsSince(start));
            QCoreApplication::processEvents();
            start = Clock::now();
            c.mnuRedo->trigger();
            redo.push_back(millisecondsSince(start));
            QCoreApplication::processEvents();
        }
        printTiming(std::string("undo ") + name, {median(undo), 0.0}, kFrameMs);
        std::printf("    (of which the editor's undo alone %.3f ms)\n", median(editorShare));
        printTiming(std::string("redo ") + name, {median(redo), 0.0}, kFrameMs);
    }
}

// The additions' share of a redraw: the totals and gaps computed from the line, and the strip's paint
// with its mismatch marks against the same paint without them.
void benchAdditions(Form1& form, int repetitions) {
    if (!loadLine(form, kRecords, 2)) {
        return;
    }
    const auto units = form.editor().line().units();
    std::size_t gapCount = 0;
    const Timing computed = timeRepeated(repetitions, [&](int) {
        const std::vector<std::int32_t> gaps = couplerMismatchGaps(units);
        const ConsistTotals totals = consistTotals(units, form.unitWeight());
        const std::string caption =
            totalsCaption(units.size(), totals, gaps.size(), form.unitWeight(), QLocale());
        gapCount = gaps.size() + (caption.empty() ? 1 : 0);
    });
    ConsistStrip& strip = *form.controls().strip;
    const std::vector<std::int32_t> gaps = strip.gapMarks();
    const auto paintTime = [&] {
        std::vector<double> times;
        for (int i = 0; i < repetitions; ++i) {
            const Clock::time_point start = Clock::now();
            strip.repaint();
            times.push_back(millisecondsSince(start));
        }
        return median(times);
    };
    const double withMarks = paintTime();
    strip.setGapMarks({});
    const double withoutMarks = paintTime();
    strip.setGapMarks(gaps);
    std::printf("totals and coupler marks on a line of %d units (%zu mismatched gaps)\n", kRecords, gapCount);
    std::printf("  %-40s %9.3f ms\n", "totals, gaps and caption computed", computed.workMs);
    std::printf("  %-40s %9.3f ms  (without marks %.3f ms)\n", "strip painted with its marks", withMarks,
                withoutMarks);
    const double added = computed.workMs + std::max(0.0, withMarks - withoutMarks);
    std::printf("  %-40s %9.3f ms  target < 2 ms: %s\n", "added to a redraw", added, verdict(added < 2.0));
}

double peakMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Views of consists of 5,001 units one after another, each loaded as View loads a listed consist: a
// fresh list of units, one step of the history. Every tenth View is drawn by the window.
void benchManyViews(Form1& form) {
    constexpr int kViews = 500;
    std::printf("%d Views of a consist of %d units, each one step of the history\n", kViews, kRecords);
    const double peakBefore = peakMegabytes();
    ConsistEditor& editor = form.editor();
    editor.clearConsistLine();
    editor.history().clear();
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < kViews; ++i) {
        editor.beginStep();
        editor.loadConsist("View " + std::to_string(i), consistUnits(form.catalogue(), kRecords));
        editor.endStep();
        if (i % 10 == 9) {
            form.showConsistDisplay();
            QCoreApplication::processEvents();
        }
    }
    const double seconds = millisecondsSince(start) / 1000.0;
    const EditHistory& history = editor.history();
    const double historyMegabytes = static_cast<double>(history.bytes()) / (1024.0 * 1024.0);
    const double peak = peakMegabytes();
    std::printf("  %-40s %9.1f s\n", "500 Views", seconds);
    std::printf("  %-40s %9.1f MB  target < 64 MB: %s (%zu steps kept, %zu dropped)\n", "the history",
                historyMegabytes, verdict(historyMegabytes < 64.0), history.stepCount(),
                history.droppedCount());
    std::printf("  %-40s %9.1f MB  target < 200 MB: %s (%.1f MB before the Views)\n", "peak resident size",
                peak, verdict(peak < 200.0), peakBefore);
    std::size_t undone = 0;
    while (editor.undo()) {
        ++undone;
    }
    form.showConsistDisplay();
    std::printf("  %-40s %9zu      (Undo %s after them)\n", "steps Undo takes back", undone,
                form.controls().mnuUndo->isEnabled() ? "still enabled" : "disabled");
}

struct Options {
    int repetitions = 9;
    int records = kRecords;
};

std::optional<Options> parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; i += 2) {
        const std::string_view name(argv[i]);
        if (i + 1 >= argc) {
            return std::nullopt;
        }
        const std::string_view text(argv[i + 1]);
        int value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size() || value < 1) {
            return std::nullopt;
        }
        if (name == "--repetitions") {
            options.repetitions = value;
        } else if (name == "--records") {
            options.records = value;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: bench_editor [--repetitions N] [--records N]\n");
        return 2;
    }
    const int repetitions = options->repetitions;
    const int records = options->records;
    const fs::path serz = executableFolder(argv[0]) / "serz";
    if (::access(serz.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "bench_editor: %s is missing; build it first\n", serz.c_str());
        return 1;
    }
    const std::string platform =
        "offscreen:configfile=" +
        (fs::path(DOVREL_SOURCE_DIR) / "tests" / "screens" / "screen-1280x1024.json").string();
    ::setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    QApplication application(argc, argv);

    std::printf("bench_editor: %d records, %d couplers, median of %d; load average %s\n", records, kCouplers,
                repetitions, loadAverage().c_str());
    BenchWorld world(serz, records);
    Form1 form(world.services());
    if (form.startBeforeShow()) {
        std::fprintf(stderr, "bench_editor: the window did not start\n");
        return 1;
    }
    form.show();
    const Clock::time_point started = Clock::now();
    form.startAfterShow();
    std::printf("  start-up steps 8 and 9 from the cache: %.1f ms; %zu records, %zu coupler boxes\n",
                millisecondsSince(started), form.catalogue().size(), form.couplerBoxes().size() - 1);
    QCoreApplication::processEvents();
    if (form.catalogue().size() != static_cast<std::size_t>(records) ||
        form.couplerBoxes().size() != static_cast<std::size_t>(kCouplers) + 1) {
        std::fprintf(stderr, "bench_editor: the catalogue was not loaded as written\n");
        return 1;
    }

    benchListRebuild(form.controls(), repetitions, records);
    benchFind(form.controls(), repetitions);
    benchLookups(form, repetitions);
    if (records != kRecords) {
        std::printf("peak resident size %.1f MB; load average at the end %s\n", peakMegabytes(),
                    loadAverage().c_str());
        return 0;
    }
    benchDetails(form, std::max(3, repetitions / 2));
    std::printf("consist line: each call followed by showConsistDisplay()\n");
    for (const int count : {100, 1000, kRecords}) {
        benchConsistLine(form, count, repetitions);
    }
    benchDump(form, std::max(3, repetitions / 2));
    benchUndoRedo(form, repetitions);
    benchAdditions(form, repetitions);
    benchManyViews(form);
    std::printf("messages shown: %d; load average at the end %s\n", world.messages.count(),
                loadAverage().c_str());
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/EditorProgram.h"

#include "app/CommandLineHelp.h"
#include "app/CommandLineOptions.h"
#include "app/DesktopIdentity.h"
#include "app/Form1.h"
#include "app/ScriptParser.h"
#include "app/ScriptRunner.h"
#include "app/ScriptServices.h"
#include "convert/ConverterLocation.h"
#include "core/ByteFile.h"
#include "platform/DiskFiles.h"
#include "platform/LockFileSingleInstance.h"
#include "platform/ProgramFolder.h"
#include "platform/RandomSource.h"
#include "platform/SpawnProcessRunner.h"
#include "platform/qt/FrontRequests.h"
#include "platform/qt/PathText.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtScreenFacilities.h"
#include "platform/qt/QtSettingsStore.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <exception>
#include <iostream>
#include <memory>
#include <string_view>
#include <vector>

namespace dovrel {

namespace fs = std::filesystem;

namespace {

constexpr int kEndedAtStartup = 1;
constexpr int kWrongCommandLine = 2;
constexpr int kScriptUnreadable = 3;

// The user's dialogs, or a script's stand-ins for them.
struct Dialogs {
    virtual ~Dialogs() = default;
    virtual MessageBoxes& messages() = 0;
    virtual FileDialogs& fileDialogs() = 0;
    virtual Pointer& pointer() = 0;
    virtual FolderOpener& folders() = 0;
};

template <typename Messages, typename Files, typename Mouse, typename Opener>
struct DialogSet final : Dialogs {
    Messages messageBoxes;
    Files files;
    Mouse mouse;
    Opener opener;
    MessageBoxes& messages() override { return messageBoxes; }
    FileDialogs& fileDialogs() override { return files; }
    Pointer& pointer() override { return mouse; }
    FolderOpener& folders() override { return opener; }
};

using ScreenDialogs = DialogSet<QtMessageBoxes, QtFileDialogs, QtPointer, QtFolderOpener>;
using ScriptDialogs = DialogSet<ScriptMessageBoxes, ScriptFileDialogs, ScriptPointer, ScriptFolderOpener>;

ScriptRecords recordsOf(const ScriptDialogs& dialogs) {
    return {dialogs.messageBoxes, dialogs.files, dialogs.mouse, dialogs.opener};
}

// The file after "--script", its bytes as given: nothing when there is no "--script", an empty text
// when no file follows it.
std::optional<std::string> scriptArgument(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--script") {
            return i + 1 < argc ? std::string(argv[i + 1]) : std::string();
        }
    }
    return std::nullopt;
}

std::string programFolderUnusableMessage(const fs::path& folder, const std::string& reason) {
    return "The program folder " + folder.string() + " cannot be used.\r\n\r\n" + reason +
           "\r\n\r\nTerminating.";
}

// The folder of the running executable, its bytes as the system holds them; Qt's idea of it
// only when the system cannot tell.
fs::path executableFolderOf(const QString& qtIdea) {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error || executable.empty() ? pathFromQString(qtIdea) : executable.parent_path();
}

// "--set-game-folder DIR" stores DIR (made absolute, its bytes as given) as the game folder, as
// Locate Game .EXE would, and ends the program; nothing else runs. Empty optional without it.
std::optional<int> storeGameFolderOption(int argc, char** argv) {
    constexpr std::string_view kOption = "--set-game-folder";
    for (int i = 1; i < argc; ++i) {
        if (argv[i] != kOption) {
            continue;
        }
        if (i + 1 >= argc || *argv[i + 1] == '\0') {
            std::cerr << kOption << " needs the game folder after it" << std::endl;
            return kWrongCommandLine;
        }
        std::error_code error;
        fs::path folder = fs::absolute(fs::path(argv[i + 1]), error).lexically_normal();
        if (!folder.has_filename() && folder.has_relative_path()) {
            folder = folder.parent_path();
        }
        QtSettingsStore().setValue(kGameFolderKey, folder.native());
        return 0;
    }
    return std::nullopt;
}

// $HOME, or where the system says the user's home is when it is not set.
fs::path homeFolder() {
    const std::optional<std::string> home = environmentValue("HOME");
    return home && !home->empty() ? fs::path(*home) : pathFromQString(QDir::homePath());
}

// "--help" and "--version" print their text and end the program before anything else runs (no
// display is needed); the argument after "--script" or "--set-game-folder" is that option's own.
std::optional<int> printTextOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--script" || argument == "--set-game-folder") {
            ++i;
        } else if (argument == "--help" || argument == "--version") {
            std::cout << (argument == "--help" ? commandLineHelp() : versionText()) << std::flush;
            return 0;
        }
    }
    return std::nullopt;
}

// An argument the editor does not take is told with the usage on standard error; nothing runs.
std::optional<int> refuseUnknownArgument(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + std::min(argc, 1), argv + argc);
    const std::optional<std::string> unknown = unknownArgument(arguments);
    if (!unknown) {
        return std::nullopt;
    }
    std::cerr << "dovrel-consist-editor: unknown option " << *unknown << "\n"
              << commandLineUsage() << std::flush;
    return kWrongCommandLine;
}

// Brings the main window to the front, out of the task bar when it was minimised.
void comeToFront(QWidget& window) {
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
}

// What the command line settles without a window: the help or the version printed, an unknown
// argument refused, a game folder stored. Nothing when the editor goes on.
std::optional<int> answerCommandLine(int argc, char** argv) {
    if (const std::optional<int> printed = printTextOption(argc, argv)) {
        return *printed;
    }
    if (const std::optional<int> refused = refuseUnknownArgument(argc, argv)) {
        return *refused;
    }
    // A write past the file-size limit then fails with its reason and the command says so, instead of
    // the signal ending the program without a word (the converter it starts inherits this).
    std::signal(SIGXFSZ, SIG_IGN);
    return storeGameFolderOption(argc, argv);
}

// Only one copy runs per program folder. Nothing when this one holds the lock; else its exit code,
// after the living copy was asked to come to the front or the failure was told.
std::optional<int> claimOnlyCopy(LockFileSingleInstance& instance, const fs::path& programFolder,
                                 const fs::path& frontSocket, Dialogs& dialogs) {
    const InstanceLock lock = instance.acquire(programFolder);
    if (lock.outcome == InstanceLock::Outcome::Acquired) {
        return std::nullopt;
    }
    // Only a living copy's lock ends this one silently; any other failure is told.
    if (lock.outcome == InstanceLock::Outcome::Failed) {
        dialogs.messages().fail(programFolderUnusableMessage(programFolder, lock.reason));
        return kEndedAtStartup;
    }
    // The living copy is asked to come to the front; whether it hears or not, this one ends.
    askRunningCopyToFront(frontSocket);
    return 0;
}

// Reads and parses the script file; false, after telling so, when it cannot be read.
bool readScript(const std::string& file, script::ParseResult& script) {
    const std::optional<std::string> bytes = readWholeFile(file);
    if (!bytes) {
        std::cerr << "cannot read the script " << file << std::endl;
        return false;
    }
    script = script::parseScript(*bytes);
    return true;
}

// The main window shown and the event loop run, the script (if any) played from its first turn.
int runWindow(const Services& services, Dialogs& dialogs, ScriptDialogs* scriptDialogs,
              const script::ParseResult& script, const fs::path& frontSocket) {
    const auto initializationError = [&dialogs] {
        dialogs.messages().fail("Initialization error.Terminating.");
        return kEndedAtStartup;
    };
    try {
        Form1 window(services);
        const FrontRequests front(frontSocket, [&window] { comeToFront(window); });
        if (const std::optional<int> exitCode = window.startBeforeShow()) {
            return *exitCode;
        }
        window.show();
        int exitCode = 0;
        QTimer::singleShot(0, &window, [&] {
            try {
                window.startAfterShow();
            } catch (const std::exception&) {
                exitCode = initializationError();
                QApplication::exit(exitCode);
                return;
            }
            if (scriptDialogs != nullptr) {
                ScriptRunner runner(window, scriptDialogs->messageBoxes, scriptDialogs->files,
                                    recordsOf(*scriptDialogs));
                exitCode = runner.run(script);
                QApplication::exit(exitCode);
            }
        });
        const int loopResult = QApplication::exec();
        return exitCode != 0 ? exitCode : loopResult;
    } catch (const std::exception&) {
        return initializationError();
    }
}

} // namespace

int runEditor(int argc, char** argv) {
    if (const std::optional<int> answered = answerCommandLine(argc, argv)) {
        return *answered;
    }
    const std::optional<std::string> scriptFile = scriptArgument(argc, argv);
    if (scriptFile && scriptFile->empty()) {
        std::cerr << "--script needs the script file: dovrel-consist-editor --script FILE" << std::endl;
        return kWrongCommandLine;
    }
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    joinDesktop();

    const fs::path executableFolder = executableFolderOf(QCoreApplication::applicationDirPath());
    const fs::path programFolder =
        resolveProgramFolder({environmentValue("DOVREL_PROGRAM_FOLDER"), executableFolder,
                              environmentValue("XDG_DATA_HOME"), environmentValue("HOME")});

    const std::unique_ptr<ScriptDialogs> scriptDialogs =
        scriptFile ? std::make_unique<ScriptDialogs>() : nullptr;
    const std::unique_ptr<Dialogs> dialogs = scriptFile ? nullptr : std::make_unique<ScreenDialogs>();
    Dialogs& chosen = scriptDialogs ? static_cast<Dialogs&>(*scriptDialogs) : *dialogs;

    LockFileSingleInstance instance;
    const fs::path frontSocket = frontRequestSocket(environmentValue("XDG_RUNTIME_DIR"), programFolder);
    if (const std::optional<int> ended = claimOnlyCopy(instance, programFolder, frontSocket, chosen)) {
        return *ended;
    }

    script::ParseResult script;
    if (scriptFile && !readScript(*scriptFile, script)) {
        return kScriptUnreadable;
    }

    QtSettingsStore settings;
    // Without another converter named, the bundled one runs as its codec inside the editor.
    const std::optional<std::string> serzVariable = environmentValue("DOVREL_SERZ");
    DiskFiles files;
    SpawnProcessRunner processes;
    QtEventPump events;
    QtWaitCursor waitCursor;
    MersenneRandomSource random(MersenneRandomSource::seedFrom(environmentValue("DOVREL_RANDOM_SEED")));
    const Services services{chosen.messages(),
                            chosen.fileDialogs(),
                            settings,
                            files,
                            processes,
                            events,
                            waitCursor,
                            chosen.pointer(),
                            chosen.folders(),
                            random,
                            primaryScreenPixels(),
                            programFolder,
                            converterLocation(serzVariable, executableFolder),
                            scriptFile.has_value(),
                            serzVariable && !serzVariable->empty() ? ConverterMode::ChildProcess
                                                                   : ConverterMode::InProcess,
                            primaryScreenAvailableArea(),
                            homeFolder(),
                            desktopFontPoints()};

    return runWindow(services, chosen, scriptDialogs.get(), script, frontSocket);
}

} // namespace dovrel

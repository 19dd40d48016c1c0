// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliProgram.h"

#include "cli/CliCommands.h"
#include "cli/StreamMessageBoxes.h"
#include "convert/ConverterLocation.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsStore.h"
#include "platform/qt/QtSettingsStore.h"

#include <algorithm>
#include <csignal>
#include <iostream>

namespace dovrel::cli {

namespace fs = std::filesystem;

namespace {

// The folder of the running executable, from the system.
fs::path executableFolder() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path(error) : executable.parent_path();
}

} // namespace

int runDovrel(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + std::min(argc, 1), argv + argc);
    const std::variant<CliCommand, std::string> parsed = parseCliArguments(arguments);
    if (const std::string* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "dovrel: " << *error << '\n' << cliUsage() << std::flush;
        return kUsage;
    }
    const CliCommand& command = std::get<CliCommand>(parsed);
    if (command.subcommand == Subcommand::Help) {
        std::cout << cliUsage() << std::flush;
        return kDone;
    }
    if (command.subcommand == Subcommand::Version) {
        std::cout << "dovrel " << DOVREL_VERSION_TEXT << '\n' << std::flush;
        return kDone;
    }
    // A write past the file-size limit fails with its reason instead of ending the program unsaid.
    std::signal(SIGXFSZ, SIG_IGN);

    const fs::path ownFolder = executableFolder();
    const std::optional<std::string> serzVariable = environmentValue("DOVREL_SERZ");
    CliEnvironment environment;
    environment.programFolder =
        resolveProgramFolder({environmentValue("DOVREL_PROGRAM_FOLDER"), ownFolder,
                              environmentValue("XDG_DATA_HOME"), environmentValue("HOME")});
    environment.converter = converterLocation(serzVariable, ownFolder);
    environment.converterMode =
        serzVariable && !serzVariable->empty() ? ConverterMode::ChildProcess : ConverterMode::InProcess;
    environment.randomSeed = environmentValue("DOVREL_RANDOM_SEED");
    if (environment.converterMode == ConverterMode::ChildProcess &&
        !isExecutableFile(environment.converter)) {
        std::cerr << "dovrel: " << oneLine(converterMissingMessage(environment.converter)) << '\n';
        return kFailed;
    }

    const fs::path gameFolder = command.gameFolder.value_or(
        fs::path(QtSettingsStore().value(kGameFolderKey).value_or(std::string())));
    StreamMessageBoxes messages(std::cerr, command.replace ? MessageAnswer::Yes : MessageAnswer::No);
    CliInstallation installation(environment, gameFolder, messages);
    if (const std::string problem = installation.problem(); !problem.empty()) {
        std::cerr << "dovrel: " << problem << '\n';
        return kFailed;
    }
    const int status = runSubcommand(command, installation, std::cout, std::cerr);
    std::cout << std::flush;
    if (!std::cout) {
        std::cerr << "dovrel: could not write to standard output\n";
        return kFailed;
    }
    return status;
}

} // namespace dovrel::cli

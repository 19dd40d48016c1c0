// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliArguments.h"

#include <array>
#include <utility>

namespace dovrel::cli {

namespace {

constexpr std::array<std::pair<std::string_view, Subcommand>, 7> kSubcommands{{
    {"stock", Subcommand::Stock},
    {"consists", Subcommand::Consists},
    {"where-used", Subcommand::WhereUsed},
    {"export", Subcommand::Export},
    {"import", Subcommand::Import},
    {"help", Subcommand::Help},
    {"--help", Subcommand::Help},
}};

// The options each subcommand takes, besides --game which all take.
bool takes(Subcommand subcommand, std::string_view option) {
    switch (subcommand) {
    case Subcommand::Stock:
        return option == "--format" || option == "--refresh";
    case Subcommand::Consists:
        return option == "--format" || option == "--user" || option == "--scenarios";
    case Subcommand::WhereUsed:
        return option == "--format";
    case Subcommand::Export:
        return option == "-o" || option == "--output" || option == "--skip-missing";
    case Subcommand::Import:
        return option == "--name" || option == "--replace" || option == "--skip-missing";
    default:
        return false;
    }
}

bool needsValue(std::string_view option) {
    return option == "--game" || option == "--format" || option == "-o" || option == "--output" ||
           option == "--name";
}

// Applies one option; the error when its value is wrong.
std::optional<std::string> apply(CliCommand& command, std::string_view option, std::string_view value) {
    if (option == "--game") {
        if (value.empty()) {
            return "--game needs a folder";
        }
        command.gameFolder = std::filesystem::path(value);
    } else if (option == "--format") {
        if (value != "tsv" && value != "json") {
            return "--format is tsv or json, not '" + std::string(value) + "'";
        }
        command.format = value == "json" ? OutputFormat::Json : OutputFormat::Tsv;
    } else if (option == "-o" || option == "--output") {
        if (value.empty()) {
            return std::string(option) + " needs a file";
        }
        command.output = std::filesystem::path(value);
    } else if (option == "--name") {
        command.name = std::string(value);
    } else if (option == "--refresh") {
        command.refresh = true;
    } else if (option == "--replace") {
        command.replace = true;
    } else if (option == "--skip-missing") {
        command.skipMissing = true;
    } else if (option == "--user" || option == "--scenarios") {
        const ConsistScope scope = option == "--user" ? ConsistScope::User : ConsistScope::Scenarios;
        if (command.scope != ConsistScope::All && command.scope != scope) {
            return "--user and --scenarios exclude each other";
        }
        command.scope = scope;
    }
    return std::nullopt;
}

} // namespace

std::variant<CliCommand, std::string> parseCliArguments(const std::vector<std::string_view>& arguments) {
    CliCommand command;
    if (arguments.empty()) {
        return std::string("a subcommand is needed");
    }
    if (arguments.front() == "--version") {
        command.subcommand = Subcommand::Version;
        return command;
    }
    bool known = false;
    for (const auto& [word, subcommand] : kSubcommands) {
        if (arguments.front() == word) {
            command.subcommand = subcommand;
            known = true;
        }
    }
    if (!known) {
        return "unknown subcommand '" + std::string(arguments.front()) + "'";
    }
    if (command.subcommand == Subcommand::Help) {
        return command;
    }
    std::vector<std::string_view> operands;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (optionsEnded || argument.empty() || argument.front() != '-' || argument == "-") {
            operands.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument != "--game" && !takes(command.subcommand, argument)) {
            return "unknown option " + std::string(argument);
        }
        std::string_view value;
        if (needsValue(argument)) {
            if (i + 1 >= arguments.size()) {
                return std::string(argument) + " needs a value";
            }
            value = arguments[++i];
        }
        if (const std::optional<std::string> error = apply(command, argument, value)) {
            return *error;
        }
    }
    const bool needsOperand = command.subcommand == Subcommand::WhereUsed ||
                              command.subcommand == Subcommand::Export ||
                              command.subcommand == Subcommand::Import;
    if (operands.size() != (needsOperand ? 1u : 0u)) {
        return operands.empty() ? std::string("a text, name or file is needed")
                                : "unexpected argument '" + std::string(operands.back()) + "'";
    }
    if (command.subcommand == Subcommand::Import) {
        command.file = std::filesystem::path(operands.front());
    } else if (needsOperand) {
        command.text = std::string(operands.front());
        if (command.text.empty()) {
            return std::string("the text or name must not be empty");
        }
    }
    return command;
}

std::string cliUsage() {
    return "Usage: dovrel SUBCOMMAND [OPTIONS]\n"
           "  dovrel stock [--game DIR] [--format tsv|json] [--refresh]\n"
           "  dovrel consists [--game DIR] [--user | --scenarios] [--format tsv|json]\n"
           "  dovrel where-used [--game DIR] [--format tsv|json] TEXT\n"
           "  dovrel export [--game DIR] [-o FILE] [--skip-missing] NAME\n"
           "  dovrel import [--game DIR] [--name NAME] [--replace] [--skip-missing] FILE\n"
           "  dovrel --help | --version\n"
           "Exit status: 0 done, 1 failure, 2 usage, 3 units not installed.\n"
           "See dovrel(1).\n";
}

} // namespace dovrel::cli

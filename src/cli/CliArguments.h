// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace dovrel::cli {

enum class Subcommand { Stock, Consists, WhereUsed, Export, Import, Help, Version };
enum class OutputFormat { Tsv, Json };
// Which consists `consists` lists: both kinds, or one.
enum class ConsistScope { All, User, Scenarios };

// A command line of the dovrel program, read.
struct CliCommand {
    Subcommand subcommand = Subcommand::Help;
    std::optional<std::filesystem::path> gameFolder; // --game, else the editor's setting
    OutputFormat format = OutputFormat::Tsv;
    bool refresh = false;
    ConsistScope scope = ConsistScope::All;
    std::string text;                            // where-used's text, export's consist name
    std::filesystem::path file;                  // import's file
    std::optional<std::filesystem::path> output; // export's -o
    std::optional<std::string> name;             // import's --name
    bool replace = false;
    bool skipMissing = false;
};

// The command, or what is wrong with the arguments (without the program name).
std::variant<CliCommand, std::string> parseCliArguments(const std::vector<std::string_view>& arguments);

// The --help text.
std::string cliUsage();

} // namespace dovrel::cli

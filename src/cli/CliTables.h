// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliArguments.h"

#include <cstddef>
#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel::cli {

// A consist as `consists` and `where-used` show it.
struct ConsistEntry {
    std::string kind; // "user" or "scenario"
    std::string identifier;
    std::string name; // entities read
    std::filesystem::path source;
    std::vector<std::string> units;        // installed units: record + "|" + heading flag
    std::vector<std::string> missingUnits; // blueprints of the units not installed
};

// A TSV field: a tab, line feed or carriage return (which no name of the game's files should hold)
// becomes a space, so that a field never splits a line; the JSON format keeps them.
std::string tsvField(std::string_view text);

// "complete", or the number of units not installed.
std::string healthText(const ConsistEntry& entry);

// The stock table: one record a line (TSV) or one object each (a JSON array). The columns, in this
// order, never change; new ones are added only at the end. Written to the stream a piece at a time,
// so a large catalogue is never held twice.
void writeStockTable(std::ostream& stream, std::span<const std::string> records, OutputFormat format);

// The consist table, the same way.
std::string consistTable(const std::vector<ConsistEntry>& entries, OutputFormat format);

// True when one of the entry's units has a name or blueprint path holding the text, ASCII case
// ignored; a unit not installed is known by its blueprint path only.
bool holdsUnitLike(const ConsistEntry& entry, std::string_view text);

} // namespace dovrel::cli

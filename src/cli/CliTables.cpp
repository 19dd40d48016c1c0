// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliTables.h"

#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"
#include "sharing/BoundedJson.h"

#include <algorithm>
#include <array>
#include <utility>

namespace dovrel::cli {

namespace {

constexpr std::array<std::pair<std::string_view, RecordField>, 9> kStockColumns{{
    {"name", RecordField::englishName},
    {"class", RecordField::unitClass},
    {"provider", RecordField::provider},
    {"product", RecordField::product},
    {"blueprint", RecordField::blueprintPath},
    {"frontCoupler", RecordField::frontCoupler},
    {"rearCoupler", RecordField::rearCoupler},
    {"mass", RecordField::mass},
    {"cargo", RecordField::capacity},
}};

// A text for a JSON document, made UTF-8 where it is not.
std::string jsonText(std::string_view text) {
    return jsonQuoted(utf8OrLatin1(text));
}

void appendJsonText(std::string& out, std::string_view text) {
    if (isValidUtf8(text)) {
        appendJsonQuoted(out, text);
    } else {
        appendJsonQuoted(out, utf8OrLatin1(text));
    }
}

// Appends a TSV field without copying it first.
void appendTsvField(std::string& out, std::string_view text) {
    const std::size_t start = out.size();
    out.append(text);
    std::replace_if(
        out.begin() + static_cast<std::ptrdiff_t>(start), out.end(),
        [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
}

std::string_view recordOf(std::string_view unit) {
    return unit.substr(0, unit.rfind('|'));
}

bool reversed(std::string_view unit) {
    return unit.size() >= 2 && unit.substr(unit.size() - 2) == "|1";
}

std::string unitNames(const ConsistEntry& entry) {
    std::string names;
    for (const std::string& unit : entry.units) {
        names.append(names.empty() ? "" : "|");
        names.append(recordFieldView(recordOf(unit), RecordField::englishName));
        names.append(reversed(unit) ? " (reversed)" : "");
    }
    return names;
}

std::string unitJson(const std::string& unit) {
    const std::string_view record = recordOf(unit);
    return "{\"name\": " + jsonText(recordFieldView(record, RecordField::englishName)) +
           ", \"provider\": " + jsonText(recordFieldView(record, RecordField::provider)) +
           ", \"product\": " + jsonText(recordFieldView(record, RecordField::product)) +
           ", \"blueprint\": " + jsonText(recordFieldView(record, RecordField::blueprintPath)) +
           ", \"heading\": \"" + (reversed(unit) ? "reversed" : "forward") + "\"}";
}

} // namespace

std::string tsvField(std::string_view text) {
    std::string out(text);
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return out;
}

std::string healthText(const ConsistEntry& entry) {
    return entry.missingUnits.empty() ? "complete" : std::to_string(entry.missingUnits.size());
}

void writeStockTable(std::ostream& stream, std::span<const std::string> records, OutputFormat format) {
    constexpr std::size_t kPiece = 1 << 16;
    std::string out = format == OutputFormat::Json ? "[" : "";
    out.reserve(2 * kPiece);
    bool first = true;
    for (const std::string& record : records) {
        if (out.size() >= kPiece) {
            stream.write(out.data(), static_cast<std::streamsize>(out.size()));
            out.clear();
        }
        const EquipmentRecord fields(record);
        if (format == OutputFormat::Tsv) {
            for (std::size_t column = 0; column < kStockColumns.size(); ++column) {
                out.append(column == 0 ? "" : "\t");
                appendTsvField(out, fields.field(kStockColumns[column].second));
            }
            out.push_back('\n');
            continue;
        }
        out.append(first ? "\n  {" : ",\n  {");
        for (std::size_t column = 0; column < kStockColumns.size(); ++column) {
            out.append(column == 0 ? "\"" : ", \"").append(kStockColumns[column].first).append("\": ");
            appendJsonText(out, fields.field(kStockColumns[column].second));
        }
        out.push_back('}');
        first = false;
    }
    if (format == OutputFormat::Json) {
        out.append(first ? "]\n" : "\n]\n");
    }
    stream.write(out.data(), static_cast<std::streamsize>(out.size()));
}

std::string consistTable(const std::vector<ConsistEntry>& entries, OutputFormat format) {
    std::string out = format == OutputFormat::Json ? "[" : "";
    bool first = true;
    for (const ConsistEntry& entry : entries) {
        if (format == OutputFormat::Tsv) {
            out.append(tsvField(entry.kind)).append("\t").append(tsvField(entry.identifier)).append("\t");
            out.append(tsvField(entry.name))
                .append("\t")
                .append(tsvField(entry.source.string()))
                .append("\t");
            out.append(healthText(entry)).append("\t").append(tsvField(unitNames(entry))).append("\n");
            continue;
        }
        out.append(first ? "\n  {" : ",\n  {");
        out.append("\"kind\": ").append(jsonText(entry.kind));
        out.append(", \"id\": ").append(jsonText(entry.identifier));
        out.append(", \"name\": ").append(jsonText(entry.name));
        out.append(", \"source\": ").append(jsonText(entry.source.string()));
        out.append(", \"health\": ").append(jsonText(healthText(entry)));
        out.append(", \"units\": [");
        for (std::size_t i = 0; i < entry.units.size(); ++i) {
            out.append(i == 0 ? "" : ", ").append(unitJson(entry.units[i]));
        }
        out.append("], \"missing\": [");
        for (std::size_t i = 0; i < entry.missingUnits.size(); ++i) {
            out.append(i == 0 ? "" : ", ").append(jsonText(entry.missingUnits[i]));
        }
        out.append("]}");
        first = false;
    }
    if (format == OutputFormat::Json) {
        out.append(first ? "]\n" : "\n]\n");
    }
    return out;
}

bool holdsUnitLike(const ConsistEntry& entry, std::string_view text) {
    for (const std::string& unit : entry.units) {
        const std::string_view record = recordOf(unit);
        if (containsIgnoringCase(recordFieldView(record, RecordField::englishName), text) ||
            containsIgnoringCase(recordFieldView(record, RecordField::blueprintPath), text)) {
            return true;
        }
    }
    for (const std::string& blueprint : entry.missingUnits) {
        if (containsIgnoringCase(blueprint, text)) {
            return true;
        }
    }
    return false;
}

} // namespace dovrel::cli

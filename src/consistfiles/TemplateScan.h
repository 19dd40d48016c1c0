#pragma once

#include "platform/EventPump.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// What the save and the delete learn from a user-consist file's XML before they rewrite it.
struct TemplateList {
    // For each template in file order: its d:id, "|", its opening line, "|", its closing line;
    // the templates joined by ":". Lines count from 0.
    std::string templateIndex;
    // Each template's English name, joined by "|".
    std::string templateNames;
    // The d:id of every template entry, each followed by "|" (the last one too).
    std::string entryIds;
    // The templates opened.
    int templateCount = 0;
};

// The save also gathers entry ids; the delete gathers names and lines only.
enum class TemplateScanPurpose { Save, Delete };

// Scans the lines of a user-consist file's XML (trimmed of spaces, tags found ignoring case),
// letting the window process its events after every line. The scan ends at a "</Record>" line
// inside a template, or after the last line.
TemplateList scanTemplates(const std::vector<std::string>& lines, TemplateScanPurpose purpose,
                           EventPump& events);

// The opening and closing line of a template.
struct TemplateLines {
    std::size_t opening = 0;
    std::size_t closing = 0;
    bool operator==(const TemplateLines&) const = default;
};

// The lines of the first template whose name equals the given one exactly, letter case counting,
// in the lines that were scanned. Empty optional when no template has that name, or its lines are
// not a template's opening and closing lines (a template that never closed, or names and templates
// out of step in a malformed file): then nothing is cut out.
std::optional<TemplateLines> templateLinesNamed(const TemplateList& templates, std::string_view name,
                                                const std::vector<std::string>& lines);

// The first of start, start + 16, start + 32, ... whose decimal text followed by "|" does not
// occur in the list. A plain text search: a number equal to the tail of a longer id counts as taken.
std::int64_t firstFreeNumber(std::string_view list, std::int64_t start);

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/EventPump.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// One template of a user-consist file, as the scan met it. Its name belongs to it alone: a
// template without an English line has none, and a name holding "|" stays whole. A template
// written on one line (<cConsistTemplate d:id="5"/>) opens and closes on that line.
struct TemplateRecord {
    std::string id;
    std::size_t opening = 0;
    std::optional<std::size_t> closing; // empty while the template never closed
    std::optional<std::string> name;    // its English name, when it has one
    bool operator==(const TemplateRecord&) const = default;
};

// The row of the consist list that a template gives: its d:id, a tab, its English name as written
// ("*" without one).
std::string listedRowText(const TemplateRecord& record);

// A row of the consist list as the reader listed it: the template's place among the file's
// templates (from 0) and the row's text.
struct ListedRow {
    std::size_t position = 0;
    std::string text;
};

// What the save and the delete learn from a user-consist file's XML before they rewrite it.
struct TemplateList {
    // Every template opened, in file order.
    std::vector<TemplateRecord> templates;
    // For each template in file order: its d:id, "|", its opening line, "|", its closing line;
    // the templates joined by ":". Lines count from 0. Free template numbers are looked up here.
    std::string templateIndex;
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

// How a name is held against a template's English name, letter case counting either way: as
// written in the file, or as text (what the user typed) against the English name with its entities
// read.
enum class NameMatch { AsWritten, AsText };

// The lines of the first template whose own English name equals the given one. Empty optional when no
// template has that name, or that template's lines are not a template's opening and closing lines (it never
// closed, or the lines do not match): then nothing is cut out, and no other template is ever taken in its
// place.
std::optional<TemplateLines> templateLinesNamed(const TemplateList& templates, std::string_view name,
                                                const std::vector<std::string>& lines,
                                                NameMatch match = NameMatch::AsWritten);

// The lines of the template a row was listed from: the template at the row's place whose row
// text is the row's. Empty optional when the file no longer has that template there (it changed
// since it was listed), or its lines are not a template's opening and closing lines.
std::optional<TemplateLines> listedTemplateLines(const TemplateList& templates, const ListedRow& row,
                                                 const std::vector<std::string>& lines);

// Whether a line that opens a template also ends it: the element closes itself
// (<cConsistTemplate d:id="5"/>) or its closing tag stands on the same line.
bool templateEndsOnOpeningLine(std::string_view line);

// Whether a line opens a cConsistTemplate element of any form: with attributes, without any (a
// template whose d:id is 0), or self-closing.
bool opensAnyTemplate(std::string_view line);

// Whether the lines outside the removed ones still hold a template of any form.
bool holdsTemplateOutside(const std::vector<std::string>& lines, TemplateLines removed);

// The first of start, start + 16, start + 32, ... whose decimal text followed by "|" does not
// occur in the list. A plain text search: a number equal to the tail of a longer id counts as taken.
std::int64_t firstFreeNumber(std::string_view list, std::int64_t start);

} // namespace dovrel

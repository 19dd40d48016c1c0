// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/TemplateScan.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The user-consist XML that the save and the delete write, in the converter's own layout: one
// element per line, tab indentation, CR LF line ends.
namespace dovrel {

// The d:id values of a new template: the template's own, and its first entry's; every further
// entry's is 16 more than the one before.
struct TemplateNumbers {
    std::int64_t templateNumber = 0;
    std::int64_t firstEntryNumber = 0;
};

// The cConsistTemplate element for a consist line, every line ended by CR LF. Each unit is a
// consist unit's text (record + "|" + heading): its provider, product and blueprintPath fields and
// its heading, written as the Flipped value unchanged. The name is text, as typed: its "&", "<"
// and ">" are written as entities, as are those of the fields.
std::string templateBlock(std::string_view name, const std::vector<std::string>& units,
                          TemplateNumbers numbers);

// The lines that close a user-consist document; no CR LF after the last one.
std::string closingLines();

// A whole new user-consist document holding one template.
std::string newUserConsistDocument(std::string_view deltaNamespace, std::string_view name,
                                   const std::vector<std::string>& units, TemplateNumbers numbers);

// An existing document with a new template added just before its first "</Record>" line, less the
// replaced template's lines when there is one. Every other line stays: those from the first
// "</Record>" on (further records, other children of the root) follow the new template as they were,
// the last one without CR LF. A document without "</Record>" gets the closing lines.
std::string documentWithTemplate(const std::vector<std::string>& lines, std::optional<TemplateLines> replaced,
                                 std::string_view block);

// An existing document with one template's lines cut out; every line, the last one included, ends
// with CR LF.
std::string documentWithoutTemplate(const std::vector<std::string>& lines, TemplateLines removed);

} // namespace dovrel

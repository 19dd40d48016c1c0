// SPDX-License-Identifier: GPL-3.0-or-later
// The save's merge into an existing user-consist file, on the converter's XML of that file: the scan
// for templates and entry ids, the free numbers, the template of the same name and the merged
// document. The consist saved takes the name of the file's first template, so that replacing occurs.
#include "FuzzSupport.h"
#include "consistfiles/TemplateDocument.h"
#include "consistfiles/TemplateScan.h"
#include "convert/DeltaNamespace.h"
#include "core/TextRules.h"
#include "platform/doubles/CountingEventPump.h"

#include <algorithm>
#include <charconv>

namespace {

using dovrel::fuzz::require;

// The drawn number: the file's first template id when it is one the random draw could give, so that
// numbers collide; else the smallest the draw gives.
std::int64_t drawnNumber(std::string_view templateIndex) {
    constexpr std::int64_t kSmallest = 100000000;
    std::int64_t number = 0;
    const std::string_view first = templateIndex.substr(0, templateIndex.find('|'));
    const auto [end, error] = std::from_chars(first.data(), first.data() + first.size(), number);
    if (error != std::errc() || number < kSmallest || number >= 10 * kSmallest) {
        return kSmallest;
    }
    return number;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> units = {
        "engine|Class 66|Acme|Pack|RailVehicles\\Engine\\e.xml|a|b|c|d|e|120||1|2|3|4|5|6|7|None|0|0",
        "wagon|Box|Acme|Pack|RailVehicles\\Wagon.xml|1",
    };
    const std::string_view text = dovrel::fuzz::inputText(data, size);
    dovrel::DeltaNamespace deltaNamespace;
    deltaNamespace.noteConverterOutput(text);
    const std::vector<std::string> lines = dovrel::splitXmlLines(text);
    dovrel::CountingEventPump events;
    const dovrel::TemplateList templates =
        dovrel::scanTemplates(lines, dovrel::TemplateScanPurpose::Save, events);
    require(static_cast<std::size_t>(events.pumps()) <= lines.size(), "one pump a line at most");

    const std::int64_t drawn = drawnNumber(templates.templateIndex);
    const dovrel::TemplateNumbers numbers{dovrel::firstFreeNumber(templates.templateIndex, drawn),
                                          dovrel::firstFreeNumber(templates.entryIds, drawn)};
    require(numbers.templateNumber >= drawn && (numbers.templateNumber - drawn) % 16 == 0,
            "a free number is the drawn one or 16, 32, ... more");

    const std::string name =
        templates.templates.empty() ? std::string("*") : templates.templates.front().name.value_or("*");
    const std::optional<dovrel::TemplateLines> sameName = dovrel::templateLinesNamed(templates, name, lines);
    if (sameName) {
        require(sameName->opening <= sameName->closing && sameName->closing < lines.size(),
                "a template's lines lie in the file");
    }
    const std::string document =
        dovrel::documentWithTemplate(lines, sameName, dovrel::templateBlock(name, units, numbers));
    const bool hasRecordEnd = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return dovrel::containsIgnoringCase(line, "</Record>");
    });
    require(hasRecordEnd || document.ends_with(dovrel::closingLines()),
            "a document without the record's end gets the closing lines");
    return 0;
}

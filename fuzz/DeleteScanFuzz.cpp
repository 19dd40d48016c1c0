// SPDX-License-Identifier: GPL-3.0-or-later
// The delete's scan of a user-consist file, on the converter's XML of that file: the templates and
// their names, the lines of the template chosen by name and the document without it. The consist
// deleted is the file's last template by name, as a row of the consist list names it.
#include "FuzzSupport.h"
#include "consistfiles/ListedConsistView.h"
#include "consistfiles/TemplateDocument.h"
#include "consistfiles/TemplateScan.h"
#include "core/TextRules.h"
#include "platform/doubles/CountingEventPump.h"

#include <algorithm>

using dovrel::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = dovrel::splitXmlLines(dovrel::fuzz::inputText(data, size));
    dovrel::CountingEventPump events;
    const dovrel::TemplateList templates =
        dovrel::scanTemplates(lines, dovrel::TemplateScanPurpose::Delete, events);
    require(templates.entryIds.empty(), "the delete gathers no entry ids");

    if (templates.templates.empty()) {
        return 0;
    }
    const std::string rowText = "1\t" + templates.templates.back().name.value_or("*");
    const std::optional<dovrel::TemplateLines> chosen =
        dovrel::templateLinesNamed(templates, dovrel::rowName(rowText), lines);
    if (!chosen) {
        return 0;
    }
    require(chosen->opening <= chosen->closing && chosen->closing < lines.size(),
            "a template's lines lie in the file");
    const auto owner =
        std::find_if(templates.templates.begin(), templates.templates.end(),
                     [&](const dovrel::TemplateRecord& t) { return t.opening == chosen->opening; });
    require(owner != templates.templates.end() && owner->name == dovrel::rowName(rowText),
            "the lines cut out are those of the template that carries the chosen name");
    const std::string document = dovrel::documentWithoutTemplate(lines, *chosen);
    std::size_t keptBytes = 0;
    for (std::size_t number = 0; number < lines.size(); ++number) {
        if (number < chosen->opening || number > chosen->closing) {
            keptBytes += lines[number].size() + 2;
        }
    }
    require(document.size() == keptBytes, "the document is the other lines, each ended by CR LF");
    return 0;
}

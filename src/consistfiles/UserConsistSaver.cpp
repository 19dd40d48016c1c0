#include "consistfiles/UserConsistSaver.h"

#include "consistfiles/ConsistFileMessages.h"
#include "consistfiles/TemplateDocument.h"
#include "consistfiles/TemplateScan.h"
#include "consistfiles/WorkingConversion.h"
#include "core/NameResolver.h"
#include "core/TextRules.h"

#include <optional>

namespace dovrel {

namespace fs = std::filesystem;

ConsistNameCheck checkConsistName(std::string_view name) {
    if (name.empty()) {
        return ConsistNameCheck::Missing;
    }
    if (name.find_first_of("\\/*:?\"<>|") != std::string_view::npos) {
        return ConsistNameCheck::HasForbiddenSymbols;
    }
    return ConsistNameCheck::Accepted;
}

namespace {

// The document that adds the consist to an existing file, or nothing when the file cannot be read
// or the user keeps the consist of the same name.
struct MergedDocument {
    std::optional<std::string> document;
    SaveResult failure = SaveResult::NotRead;
};

MergedDocument mergeIntoExistingFile(ConsistFileServices& services, WorkingConversion& conversion,
                                     const fs::path& gameFile, std::string_view name,
                                     const std::vector<std::string>& units, TemplateNumbers drawn) {
    const auto lines = conversion.gameFileLines(gameFile, conversion.workingBin());
    if (!lines) {
        services.messages.warn(conversion.failure());
        return {std::nullopt, SaveResult::NotRead};
    }
    const TemplateList templates = scanTemplates(*lines, TemplateScanPurpose::Save, services.events);
    const TemplateNumbers numbers{firstFreeNumber(templates.templateIndex, drawn.templateNumber),
                                  firstFreeNumber(templates.entryIds, drawn.firstEntryNumber)};
    const std::optional<TemplateLines> sameName =
        templateLinesNamed(templates, name, *lines, NameMatch::Unescaped);
    if (sameName && services.messages.ask(consistmessages::replaceQuestion()) != MessageAnswer::Yes) {
        return {std::nullopt, SaveResult::NotReplaced};
    }
    return {documentWithTemplate(*lines, sameName, templateBlock(name, units, numbers)), SaveResult::Saved};
}

} // namespace

SaveResult UserConsistSaver::saveUserConsist(std::string_view nameBoxText,
                                             const std::vector<std::string>& units,
                                             const fs::path& contentFolder, SaveObserver& observer) {
    TemplateNumbers drawn;
    drawn.templateNumber = newRandomId(random_);
    services_.events.pump();
    drawn.firstEntryNumber = newRandomId(random_);

    const std::string name(trimSpaces(nameBoxText));
    observer.nameTrimmed(name);
    switch (checkConsistName(name)) {
    case ConsistNameCheck::Missing:
        services_.messages.warn(consistmessages::nameMissing());
        return SaveResult::NameMissing;
    case ConsistNameCheck::HasForbiddenSymbols:
        services_.messages.warn(consistmessages::nameHasForbiddenSymbols());
        return SaveResult::NameHasForbiddenSymbols;
    case ConsistNameCheck::Accepted:
        break;
    }

    WorkingConversion conversion(services_);
    std::string document;
    const std::optional<fs::path> existing = resolveName(contentFolder, "ConsistTemplates.bin");
    if (existing) {
        MergedDocument merged = mergeIntoExistingFile(services_, conversion, *existing, name, units, drawn);
        if (!merged.document) {
            return merged.failure;
        }
        document = std::move(*merged.document);
    } else {
        document = newUserConsistDocument(services_.converter.deltaNamespace().value(), name, units, drawn);
    }

    switch (conversion.writeAndConvert(document)) {
    case WorkingConversion::WriteBack::NotWritten:
        return SaveResult::NotWritten;
    case WorkingConversion::WriteBack::Rejected:
        return SaveResult::Rejected;
    case WorkingConversion::WriteBack::Converted:
        break;
    }
    // A file the program creates gets the fixed spelling; one it replaces keeps its own.
    if (!conversion.installConvertedFile(resolvedOrSpelled(contentFolder, "ConsistTemplates.bin"))) {
        return SaveResult::NotWritten;
    }
    observer.consistSaved(name);
    services_.messages.inform(consistmessages::consistSaved());
    return SaveResult::Saved;
}

} // namespace dovrel

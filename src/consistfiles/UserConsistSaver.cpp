// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/UserConsistSaver.h"

#include "consistfiles/BlueprintLookup.h"
#include "consistfiles/ConsistFileMessages.h"
#include "consistfiles/ListedConsistView.h"
#include "consistfiles/TemplateDocument.h"
#include "consistfiles/TemplateScan.h"
#include "consistfiles/UserConsistFileLock.h"
#include "consistfiles/UserConsistScan.h"
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

// Counts the entries of a template whose unit the catalogue does not hold, by the reader's rules.
class MissingUnitCount final : public UserConsistScan::Listener {
public:
    explicit MissingUnitCount(const std::vector<std::string>& catalogue) : lookup_(catalogue) {}
    void unitClosed(const TemplateUnit& unit) override {
        if (lookup_.findWritten(unit.provider, unit.product, unit.blueprint) == nullptr) {
            ++count_;
        }
    }
    void templateClosed(const std::string&, const std::string&) override {}
    std::size_t count() const { return count_; }

private:
    BlueprintLookup lookup_;
    std::size_t count_ = 0;
};

std::size_t unitsNotInstalled(const std::vector<std::string>& lines, TemplateLines replaced,
                              const std::vector<std::string>& catalogue) {
    MissingUnitCount missing(catalogue);
    UserConsistScan scan(missing);
    for (std::size_t number = replaced.opening; number <= replaced.closing; ++number) {
        scan.scanLine(lines[number]);
    }
    return missing.count();
}

MergedDocument mergeIntoExistingFile(ConsistFileServices& services, WorkingConversion& conversion,
                                     const fs::path& gameFile, std::string_view name,
                                     const std::vector<std::string>& units, TemplateNumbers drawn,
                                     const SaveContext& context) {
    const auto lines = conversion.gameFileLines(gameFile, conversion.workingBin());
    if (!lines) {
        services.messages.warn(conversion.failure());
        return {std::nullopt, SaveResult::NotRead};
    }
    const TemplateList templates = scanTemplates(*lines, TemplateScanPurpose::Save, services.events);
    const TemplateNumbers numbers{firstFreeNumber(templates.templateIndex, drawn.templateNumber),
                                  firstFreeNumber(templates.entryIds, drawn.firstEntryNumber)};
    // The chosen row of the name saved is replaced itself: with two templates of one name the
    // second row replaces the second. When its template is gone from its place nothing is written.
    std::optional<TemplateLines> replaced;
    if (context.chosenRow && rowNameAsText(context.chosenRow->text) == name) {
        replaced = listedTemplateLines(templates, *context.chosenRow, *lines);
        if (!replaced) {
            services.messages.warn(consistmessages::consistNotInFile(name));
            return {std::nullopt, SaveResult::NotFound};
        }
    } else {
        replaced = templateLinesNamed(templates, name, *lines, NameMatch::AsText);
    }
    if (replaced) {
        if (services.messages.ask(consistmessages::replaceQuestion()) != MessageAnswer::Yes) {
            return {std::nullopt, SaveResult::NotReplaced};
        }
        const std::size_t missing =
            context.catalogue ? unitsNotInstalled(*lines, *replaced, *context.catalogue) : 0;
        if (missing > 0 && services.messages.askYesNo(consistmessages::unitsLeftOutQuestion(missing)) !=
                               MessageAnswer::Yes) {
            return {std::nullopt, SaveResult::NotReplaced};
        }
    }
    return {documentWithTemplate(*lines, replaced, templateBlock(name, units, numbers)), SaveResult::Saved};
}

} // namespace

SaveResult UserConsistSaver::saveUserConsist(std::string_view nameBoxText,
                                             const std::vector<std::string>& units,
                                             const fs::path& contentFolder, SaveObserver& observer,
                                             const SaveContext& context) {
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

    // Held from before the file is read until it is written, so that no other copy's save comes between.
    UserConsistFileLock lock(
        contentFolder, [this] { services_.events.pump(); }, lockPatience_);
    if (!lock.taken().ok) {
        services_.messages.warn(consistmessages::couldNotWrite(lock.file(), lock.taken().reason));
        return SaveResult::NotWritten;
    }
    WorkingConversion conversion(services_);
    std::string document;
    const std::optional<fs::path> existing = resolveName(contentFolder, "ConsistTemplates.bin");
    if (existing) {
        MergedDocument merged =
            mergeIntoExistingFile(services_, conversion, *existing, name, units, drawn, context);
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
    if (const FileStatus writable = lock.mayWrite(); !writable.ok) {
        services_.messages.warn(consistmessages::couldNotWrite(lock.file(), writable.reason));
        return SaveResult::NotWritten;
    }
    // A file the program creates gets the fixed spelling; one it replaces keeps its own.
    if (!conversion.installConvertedFile(lock.file())) {
        return SaveResult::NotWritten;
    }
    lock.release();
    observer.consistSaved(name);
    services_.messages.inform(consistmessages::consistSaved());
    return SaveResult::Saved;
}

} // namespace dovrel

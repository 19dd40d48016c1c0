#include "consistfiles/UserConsistDeleter.h"

#include "consistfiles/ConsistFileMessages.h"
#include "consistfiles/ListedConsistView.h"
#include "consistfiles/TemplateDocument.h"
#include "consistfiles/TemplateScan.h"
#include "consistfiles/WorkingConversion.h"
#include "core/NameResolver.h"

namespace dovrel {

namespace fs = std::filesystem;

DeleteResult UserConsistDeleter::deleteUserConsist(const std::optional<std::string>& chosenRowText,
                                                   bool userConsistsOnShow, const fs::path& contentFolder,
                                                   DeleteObserver& observer) {
    if (!chosenRowText) {
        return DeleteResult::NothingChosen;
    }
    const std::string name = rowName(*chosenRowText);
    if (!userConsistsOnShow) {
        services_.messages.warn(consistmessages::notUserConsist(name));
        return DeleteResult::NotUserConsist;
    }

    WorkingConversion conversion(services_);
    const std::optional<fs::path> gameFile = resolveName(contentFolder, "ConsistTemplates.bin");
    const std::optional<std::vector<std::string>> converted =
        conversion.gameFileLines(gameFile, conversion.workingBin());
    if (!conversion.failure().empty()) {
        // The file is there but could not be read: that, not a missing consist, is what went wrong.
        services_.messages.warn(conversion.failure());
        return DeleteResult::NotRead;
    }
    const std::vector<std::string> lines = converted.value_or(std::vector<std::string>{});

    const TemplateList templates = scanTemplates(lines, TemplateScanPurpose::Delete, services_.events);
    const std::optional<TemplateLines> chosen = templateLinesNamed(templates, name, lines);
    if (!gameFile || !chosen) {
        services_.messages.warn(consistmessages::consistNotInFile(name));
        return DeleteResult::NotFound;
    }
    if (services_.messages.ask(consistmessages::deleteQuestion()) != MessageAnswer::Yes) {
        return DeleteResult::NotDeleted;
    }
    const int templatesLeft = templates.templateCount - 1;

    switch (conversion.writeAndConvert(documentWithoutTemplate(lines, *chosen))) {
    case WorkingConversion::WriteBack::NotWritten:
        return DeleteResult::NotWritten;
    case WorkingConversion::WriteBack::Rejected:
        return DeleteResult::Rejected;
    case WorkingConversion::WriteBack::Converted:
        break;
    }

    if (templatesLeft < 1) {
        // A file that stays where it was still holds the consist: that is said as for a failed
        // write, and the list stays as it is.
        if (!conversion.keepBackup(*gameFile)) {
            return DeleteResult::NotWritten;
        }
        if (const FileStatus removed = services_.files.remove(*gameFile); !removed.ok) {
            services_.messages.warn(consistmessages::couldNotWrite(*gameFile, removed.reason));
            return DeleteResult::NotWritten;
        }
        observer.lastConsistDeleted();
        services_.messages.inform(consistmessages::lastConsistDeleted(name));
        return DeleteResult::LastDeleted;
    }
    if (!conversion.installConvertedFile(*gameFile)) {
        return DeleteResult::NotWritten;
    }
    observer.consistDeleted();
    services_.messages.inform(consistmessages::consistDeleted(name));
    return DeleteResult::Deleted;
}

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/UserConsistDeleter.h"

#include "consistfiles/ConsistFileMessages.h"
#include "consistfiles/ListedConsistView.h"
#include "consistfiles/TemplateDocument.h"
#include "consistfiles/TemplateScan.h"
#include "consistfiles/UserConsistFileLock.h"
#include "consistfiles/WorkingConversion.h"
#include "core/NameResolver.h"
#include "core/XmlText.h"

namespace dovrel {

namespace fs = std::filesystem;

DeleteResult UserConsistDeleter::deleteUserConsist(const std::optional<ListedRow>& chosenRow,
                                                   bool userConsistsOnShow, const fs::path& contentFolder,
                                                   DeleteObserver& observer) {
    if (!chosenRow) {
        return DeleteResult::NothingChosen;
    }
    // The name as the messages show it, its entities read.
    const std::string name = xmlUnescapedText(rowName(chosenRow->text));
    if (!userConsistsOnShow) {
        services_.messages.warn(consistmessages::notUserConsist(name));
        return DeleteResult::NotUserConsist;
    }

    // Held from before the file is read until it is written, so that no other copy's change comes between.
    UserConsistFileLock lock(contentFolder, [this] { services_.events.pump(); });
    if (!lock.taken().ok) {
        services_.messages.warn(consistmessages::couldNotWrite(lock.file(), lock.taken().reason));
        return DeleteResult::NotWritten;
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
    const std::optional<TemplateLines> chosen = listedTemplateLines(templates, *chosenRow, lines);
    if (!gameFile || !chosen) {
        services_.messages.warn(consistmessages::consistNotInFile(name));
        return DeleteResult::NotFound;
    }
    if (services_.messages.ask(consistmessages::deleteQuestion()) != MessageAnswer::Yes) {
        return DeleteResult::NotDeleted;
    }
    // Every template counts, listed or not: a file that still holds one is never removed.
    const bool templatesLeft = holdsTemplateOutside(lines, *chosen);

    switch (conversion.writeAndConvert(documentWithoutTemplate(lines, *chosen))) {
    case WorkingConversion::WriteBack::NotWritten:
        return DeleteResult::NotWritten;
    case WorkingConversion::WriteBack::Rejected:
        return DeleteResult::Rejected;
    case WorkingConversion::WriteBack::Converted:
        break;
    }

    if (const FileStatus writable = lock.mayWrite(); !writable.ok) {
        services_.messages.warn(consistmessages::couldNotWrite(*gameFile, writable.reason));
        return DeleteResult::NotWritten;
    }
    if (!templatesLeft) {
        // A file that stays where it was still holds the consist: that is said as for a failed
        // write, and the list stays as it is.
        if (!conversion.keepBackup(*gameFile)) {
            return DeleteResult::NotWritten;
        }
        if (const FileStatus removed = services_.files.remove(*gameFile); !removed.ok) {
            services_.messages.warn(consistmessages::couldNotWrite(*gameFile, removed.reason));
            return DeleteResult::NotWritten;
        }
        lock.release();
        observer.lastConsistDeleted();
        services_.messages.inform(consistmessages::lastConsistDeleted(name));
        return DeleteResult::LastDeleted;
    }
    if (!conversion.installConvertedFile(*gameFile)) {
        return DeleteResult::NotWritten;
    }
    lock.release();
    observer.consistDeleted();
    services_.messages.inform(consistmessages::consistDeleted(name));
    return DeleteResult::Deleted;
}

} // namespace dovrel

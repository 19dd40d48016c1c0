#include "consistfiles/UserConsistRestore.h"

#include "consistfiles/ConsistFileMessages.h"
#include "consistfiles/TemplateScan.h"
#include "consistfiles/UserConsistFileLock.h"
#include "consistfiles/WorkingConversion.h"
#include "core/NameResolver.h"
#include "core/XmlText.h"

namespace dovrel {

namespace fs = std::filesystem;

std::vector<BackupChoice> UserConsistRestore::choices() {
    std::vector<BackupChoice> choices;
    for (UserConsistBackup& backup : services_.backups.list()) {
        std::vector<std::string> names = consistNamesIn(backup.file);
        choices.push_back({std::move(backup), std::move(names)});
    }
    return choices;
}

std::vector<std::string> UserConsistRestore::consistNamesIn(const fs::path& backupFile) {
    WorkingConversion conversion(services_);
    const fs::path input = services_.tempFolder() / "tempr.bin";
    if (!conversion.convertGameFile(backupFile, input)) {
        return {};
    }
    const std::vector<std::string> lines = conversion.readConverterXml(services_.tempFolder() / "tempr.xml")
                                               .value_or(std::vector<std::string>{});
    std::vector<std::string> names;
    for (const TemplateRecord& record :
         scanTemplates(lines, TemplateScanPurpose::Delete, services_.events).templates) {
        names.push_back(record.name ? xmlUnescapedText(*record.name) : "*");
    }
    return names;
}

RestoreResult UserConsistRestore::restore(const UserConsistBackup& backup, const fs::path& contentFolder) {
    if (services_.messages.ask(consistmessages::restoreQuestion(backup.taken)) != MessageAnswer::Yes) {
        return RestoreResult::NotRestored;
    }
    const std::optional<std::string> bytes = services_.files.read(backup.file);
    if (!bytes) {
        services_.messages.warn(consistmessages::couldNotRead(backup.file, ""));
        return RestoreResult::NotWritten;
    }
    // No other copy's save or delete comes between the copy kept and the file put back.
    UserConsistFileLock lock(contentFolder, [this] { services_.events.pump(); });
    if (const FileStatus writable = lock.mayWrite(); !writable.ok) {
        services_.messages.warn(consistmessages::couldNotWrite(lock.file(), writable.reason));
        return RestoreResult::NotWritten;
    }
    if (const std::optional<BackupFailure> failed =
            services_.backups.keep(resolveName(contentFolder, "ConsistTemplates.bin"))) {
        services_.messages.warn(consistmessages::couldNotWrite(failed->file, failed->reason));
        return RestoreResult::NotWritten;
    }
    // A file the program creates gets the fixed spelling; one it replaces keeps its own.
    const fs::path gameFile = resolvedOrSpelled(contentFolder, "ConsistTemplates.bin");
    if (const FileStatus written = services_.files.replace(gameFile, *bytes); !written.ok) {
        services_.messages.warn(consistmessages::couldNotWrite(gameFile, written.reason));
        return RestoreResult::NotWritten;
    }
    lock.release();
    services_.messages.inform(consistmessages::userConsistsRestored(backup.taken));
    return RestoreResult::Restored;
}

} // namespace dovrel

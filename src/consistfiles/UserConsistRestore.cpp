// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/UserConsistRestore.h"

#include "consistfiles/ConsistFileMessages.h"
#include "consistfiles/TemplateScan.h"
#include "consistfiles/UserConsistFileLock.h"
#include "consistfiles/WorkingConversion.h"
#include "core/NameResolver.h"
#include "core/TextRules.h"
#include "core/XmlText.h"

namespace dovrel {

namespace fs = std::filesystem;

namespace {

bool endsElementInLine(std::string_view line) {
    return line.ends_with("/>");
}

} // namespace

bool isUserConsistDocument(const std::vector<std::string>& lines) {
    enum class Place { BeforeRoot, InRoot, InRecord, InTemplate, AfterRecord, AfterRoot };
    Place place = Place::BeforeRoot;
    for (const std::string& whole : lines) {
        const std::string_view line = trimSpaces(whole);
        if (line.empty()) {
            continue;
        }
        switch (place) {
        case Place::BeforeRoot:
            if (line.starts_with("<?")) {
                continue;
            }
            if (!containsIgnoringCase(line, "<cRecordSet") || endsElementInLine(line)) {
                return false;
            }
            place = Place::InRoot;
            break;
        case Place::InRoot:
            if (!containsIgnoringCase(line, "<Record")) {
                return false;
            }
            place = endsElementInLine(line) ? Place::AfterRecord : Place::InRecord;
            break;
        case Place::InRecord:
            if (containsIgnoringCase(line, "</Record>")) {
                place = Place::AfterRecord;
            } else if (containsIgnoringCase(line, "</cConsistTemplate>")) {
                return false;
            } else if (containsIgnoringCase(line, "<cConsistTemplate ") && !endsElementInLine(line)) {
                place = Place::InTemplate;
            }
            break;
        case Place::InTemplate:
            if (containsIgnoringCase(line, "</cConsistTemplate>")) {
                place = Place::InRecord;
            } else if (containsIgnoringCase(line, "<cConsistTemplate ") ||
                       containsIgnoringCase(line, "</Record>") ||
                       containsIgnoringCase(line, "</cRecordSet>")) {
                return false;
            }
            break;
        case Place::AfterRecord:
            if (containsIgnoringCase(line, "</cRecordSet>")) {
                place = Place::AfterRoot;
            }
            break;
        case Place::AfterRoot:
            return false;
        }
    }
    return place == Place::AfterRoot;
}

std::optional<std::vector<std::string>> UserConsistRestore::convertedLines(const fs::path& file) {
    return WorkingConversion(services_).gameFileLines(file, services_.tempFolder() / "tempr.bin");
}

std::vector<BackupChoice> UserConsistRestore::choices(const fs::path& contentFolder) {
    std::vector<BackupChoice> choices;
    for (UserConsistBackup& backup : services_.backups.list(contentFolder)) {
        BackupChoice choice{std::move(backup), false, {}};
        const std::optional<std::vector<std::string>> lines = convertedLines(choice.backup.file);
        choice.restorable = lines && isUserConsistDocument(*lines);
        if (choice.restorable) {
            for (const TemplateRecord& record :
                 scanTemplates(*lines, TemplateScanPurpose::Delete, services_.events).templates) {
                choice.consistNames.push_back(record.name ? xmlUnescapedText(*record.name) : "*");
            }
        }
        choices.push_back(std::move(choice));
    }
    return choices;
}

RestoreResult UserConsistRestore::restore(const UserConsistBackup& backup, const fs::path& contentFolder) {
    const std::optional<fs::path> current = resolveName(contentFolder, "ConsistTemplates.bin");
    std::error_code error;
    const bool currentIsFile = current && fs::is_regular_file(*current, error);
    if (services_.messages.ask(consistmessages::restoreQuestion(backupLabel(backup), currentIsFile)) !=
        MessageAnswer::Yes) {
        return RestoreResult::NotRestored;
    }
    const std::optional<std::string> bytes = services_.files.read(backup.file);
    if (!bytes) {
        services_.messages.warn(consistmessages::copyUnreadable(backupLabel(backup)));
        return RestoreResult::NotWritten;
    }
    // No other copy's save or delete comes between the copy kept and the file put back.
    UserConsistFileLock lock(contentFolder, [this] { services_.events.pump(); });
    if (const FileStatus writable = lock.mayWrite(); !writable.ok) {
        services_.messages.warn(consistmessages::couldNotWrite(lock.file(), writable.reason));
        return RestoreResult::NotWritten;
    }
    // The bytes about to be written are the ones checked: the copy may have changed since it was listed.
    const fs::path checked = services_.tempFolder() / "restore.bin";
    if (const FileStatus written = services_.files.replace(checked, *bytes); !written.ok) {
        services_.messages.warn(consistmessages::couldNotWrite(checked, written.reason));
        return RestoreResult::NotWritten;
    }
    const std::optional<std::vector<std::string>> lines = convertedLines(checked);
    services_.files.remove(checked);
    if (!lines || !isUserConsistDocument(*lines)) {
        services_.messages.warn(consistmessages::copyUnreadable(backupLabel(backup)));
        return RestoreResult::NotWritten;
    }
    // Checked again last: a program that takes no lock may have changed the file meanwhile.
    if (const FileStatus writable = lock.mayWrite(); !writable.ok) {
        services_.messages.warn(consistmessages::couldNotWrite(lock.file(), writable.reason));
        return RestoreResult::NotWritten;
    }
    const std::optional<fs::path> locked = resolveName(contentFolder, "ConsistTemplates.bin");
    if (const std::optional<BackupFailure> failed = services_.backups.keep(locked, backup.file)) {
        services_.messages.warn(consistmessages::couldNotWrite(failed->file, failed->reason));
        return RestoreResult::NotWritten;
    }
    // A file the program creates gets the fixed spelling; one it replaces keeps its own.
    const fs::path gameFile = locked.value_or(contentFolder / "ConsistTemplates.bin");
    if (const FileStatus written = services_.files.replace(gameFile, *bytes); !written.ok) {
        services_.messages.warn(consistmessages::couldNotWrite(gameFile, written.reason));
        return RestoreResult::NotWritten;
    }
    lock.release();
    services_.messages.inform(consistmessages::userConsistsRestored(backupLabel(backup)));
    return RestoreResult::Restored;
}

} // namespace dovrel

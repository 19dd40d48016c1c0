// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommands.h"

#include "catalogue/EquipmentRecord.h"
#include "sharing/ClosestUnits.h"
#include "sharing/SharedConsistFile.h"
#include "sharing/SharedConsistMatch.h"

#include <algorithm>

namespace dovrel::cli {

namespace {

std::vector<std::string> lines(const Catalogue& catalogue) {
    const auto records = catalogue.records();
    return {records.begin(), records.end()};
}

std::string unitLabel(const SharedUnit& unit) {
    return (unit.name.empty() ? std::string("(no name)") : unit.name) + " (" + unit.provider + "\\" +
           unit.product + "\\" + unit.blueprint + ")";
}

// Names the units not installed on err, with installed stand-ins for the first of them.
void tellMissing(const SharedConsist& consist, const SharedConsistMatch& match, const Catalogue& catalogue,
                 std::ostream& err) {
    const std::vector<std::string> installed = lines(catalogue);
    err << "dovrel: " << match.missing.size() << " of " << consist.units.size()
        << " units are not installed:\n";
    for (std::size_t i = 0; i < match.missing.size(); ++i) {
        const SharedUnit& unit = consist.units[match.missing[i]];
        err << "  unit " << match.missing[i] + 1 << ": " << unitLabel(unit) << '\n';
        if (i >= kSuggestedUnits) {
            continue;
        }
        for (const std::string& record : closestInstalledUnits(unit, installed)) {
            err << "    closest installed: " << recordFieldView(record, RecordField::englishName) << " ("
                << recordFieldView(record, RecordField::provider) << "\\"
                << recordFieldView(record, RecordField::product) << "\\"
                << recordFieldView(record, RecordField::blueprintPath) << ")\n";
        }
    }
}

int stock(const CliCommand& command, CliInstallation& installation, std::ostream& out) {
    const Catalogue catalogue = installation.catalogue(command.refresh);
    writeStockTable(out, catalogue.records(), command.format);
    return kDone;
}

int consists(const CliCommand& command, CliInstallation& installation, std::ostream& out) {
    const Catalogue catalogue = installation.catalogue(false);
    out << consistTable(installation.consists(command.scope, catalogue), command.format);
    return installation.userFileUnread() ? kFailed : kDone;
}

int whereUsed(const CliCommand& command, CliInstallation& installation, std::ostream& out) {
    const Catalogue catalogue = installation.catalogue(false);
    std::vector<ConsistEntry> entries = installation.consists(ConsistScope::All, catalogue);
    std::erase_if(entries,
                  [&command](const ConsistEntry& entry) { return !holdsUnitLike(entry, command.text); });
    out << consistTable(entries, command.format);
    return installation.userFileUnread() ? kFailed : kDone;
}

int exportConsist(const CliCommand& command, CliInstallation& installation, std::ostream& out,
                  std::ostream& err) {
    const Catalogue catalogue = installation.catalogue(false);
    const std::vector<ConsistEntry> entries = installation.consists(ConsistScope::User, catalogue);
    const auto found = std::find_if(entries.begin(), entries.end(), [&command](const ConsistEntry& entry) {
        return entry.name == command.text;
    });
    const auto byIdentifier =
        std::find_if(entries.begin(), entries.end(),
                     [&command](const ConsistEntry& entry) { return entry.identifier == command.text; });
    const auto chosen = found != entries.end() ? found : byIdentifier;
    if (chosen == entries.end()) {
        err << "dovrel: no user consist is named " << command.text << '\n';
        return kFailed;
    }
    if (!chosen->missingUnits.empty()) {
        err << "dovrel: " << chosen->missingUnits.size() << " units of " << chosen->name
            << " are not installed:\n";
        for (const std::string& blueprint : chosen->missingUnits) {
            err << "  " << blueprint << '\n';
        }
        if (!command.skipMissing) {
            return kUnitsMissing;
        }
    }
    if (chosen->units.empty()) {
        err << "dovrel: " << chosen->name << " holds no installed unit\n";
        return kUnitsMissing;
    }
    const std::string text = sharedConsistText(sharedConsistOf(chosen->name, chosen->units));
    if (!command.output) {
        out << text;
        return kDone;
    }
    if (const FileStatus written = installation.files().replace(*command.output, text); !written.ok) {
        err << "dovrel: could not write " << command.output->string() << ": " << written.reason << '\n';
        return kFailed;
    }
    return kDone;
}

int importConsist(const CliCommand& command, CliInstallation& installation, std::ostream& err) {
    const SharedConsistRead read = readSharedConsistFile(command.file);
    if (!read.consist) {
        err << "dovrel: " << command.file.string() << ": " << read.error << '\n';
        return kFailed;
    }
    const Catalogue catalogue = installation.catalogue(false);
    const SharedConsistMatch match = matchSharedConsist(*read.consist, lines(catalogue));
    if (!match.missing.empty()) {
        tellMissing(*read.consist, match, catalogue, err);
        if (!command.skipMissing) {
            err << "dovrel: nothing was written; --skip-missing imports the installed units\n";
            return kUnitsMissing;
        }
    }
    if (match.units.empty()) {
        err << "dovrel: none of the units is installed; nothing was written\n";
        return kUnitsMissing;
    }
    const std::string name = command.name.value_or(read.consist->name);
    switch (installation.save(name, match.units, catalogue)) {
    case SaveResult::Saved:
        return kDone;
    case SaveResult::NotReplaced:
        err << "dovrel: nothing was written; --replace replaces the user consist of that name\n";
        return kFailed;
    default:
        return kFailed;
    }
}

} // namespace

int runSubcommand(const CliCommand& command, CliInstallation& installation, std::ostream& out,
                  std::ostream& err) {
    switch (command.subcommand) {
    case Subcommand::Stock:
        return stock(command, installation, out);
    case Subcommand::Consists:
        return consists(command, installation, out);
    case Subcommand::WhereUsed:
        return whereUsed(command, installation, out);
    case Subcommand::Export:
        return exportConsist(command, installation, out, err);
    case Subcommand::Import:
        return importConsist(command, installation, err);
    case Subcommand::Help:
    case Subcommand::Version:
        break;
    }
    return kUsage;
}

} // namespace dovrel::cli

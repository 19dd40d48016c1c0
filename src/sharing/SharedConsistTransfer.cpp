// SPDX-License-Identifier: GPL-3.0-or-later
#include "sharing/SharedConsistTransfer.h"

#include "sharing/SharedConsistFile.h"
#include "sharing/SharedConsistMatch.h"
#include "sharing/SharedConsistMessages.h"

namespace dovrel {

SharedConsistLoad loadSharedConsist(const std::filesystem::path& file,
                                    const std::vector<std::string>& catalogue) {
    const SharedConsistRead read = readSharedConsistFile(file);
    if (!read.consist) {
        return {{}, {}, sharingmessages::notImported(file, read.error)};
    }
    SharedConsistMatch match = matchSharedConsist(*read.consist, catalogue);
    if (match.units.empty()) {
        return {{}, {}, sharingmessages::noUnitInstalled(file)};
    }
    SharedConsistLoad load{read.consist->name, std::move(match.units), std::nullopt};
    if (!match.missing.empty()) {
        load.message = sharingmessages::unitsLeftOut(*read.consist, match);
    }
    return load;
}

FileStatus writeSharedConsist(Files& files, const std::filesystem::path& file, std::string_view name,
                              const std::vector<std::string>& units) {
    return files.replace(file, sharedConsistText(sharedConsistOf(name, units)));
}

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "sharing/SharedConsistMessages.h"

#include "core/TextRules.h"

namespace dovrel {

namespace sharingmessages {

std::string notImported(const std::filesystem::path& file, std::string_view reason) {
    return file.string() + "\r\n\r\nThis consist file cannot be imported: " + std::string(reason) + ".";
}

std::string noUnitInstalled(const std::filesystem::path& file) {
    return file.string() + "\r\n\r\nNone of the units of this consist is installed. Nothing was loaded.";
}

std::string unitsLeftOut(const SharedConsist& consist, const SharedConsistMatch& match) {
    std::string text = std::to_string(match.missing.size()) + " of the " + std::to_string(consist.units.size()) +
                       " units are not installed and were left out:\r\n";
    for (std::size_t i = 0; i < match.missing.size() && i < kNamedUnits; ++i) {
        const SharedUnit& unit = consist.units[match.missing[i]];
        text += "\r\n" + (unit.name.empty() ? unit.blueprint : unit.name) + " (" + unit.provider + "\\" +
                unit.product + "\\" + unit.blueprint + ")";
    }
    if (match.missing.size() > kNamedUnits) {
        text += "\r\n... and " + std::to_string(match.missing.size() - kNamedUnits) + " more.";
    }
    return text;
}

} // namespace sharingmessages

std::filesystem::path withSharedConsistExtension(const std::filesystem::path& chosen) {
    const std::string name = chosen.filename().string();
    if (name.size() >= kSharedConsistExtension.size() &&
        equalsIgnoringCase(std::string_view(name).substr(name.size() - kSharedConsistExtension.size()),
                           kSharedConsistExtension)) {
        return chosen;
    }
    std::filesystem::path extended = chosen;
    extended += std::string(kSharedConsistExtension);
    return extended;
}

} // namespace dovrel

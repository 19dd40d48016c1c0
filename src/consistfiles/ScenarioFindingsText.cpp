// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ScenarioFindingsText.h"

#include "consistfiles/CompactValues.h"

#include <optional>

namespace dovrel {

using namespace findingstext;

bool replayFindingsText(std::string_view text, FindingsReplayListener& listener) {
    CompactReader reader(text);
    std::size_t blueprints = 0;
    std::optional<std::string_view> identifier;
    while (!reader.atEnd()) {
        char kind = *reader.byte();
        if (kind == kBlueprint) {
            const std::optional<std::string_view> blueprint = reader.text();
            if (!blueprint) {
                return false;
            }
            listener.blueprintMet(*blueprint);
            ++blueprints;
            continue;
        }
        if (kind == withIdentifier(kOpened) || kind == withIdentifier(kVehicle) ||
            kind == withIdentifier(kClosed)) {
            identifier = reader.text();
            if (!identifier) {
                return false;
            }
            kind = static_cast<char>(kind - 'A' + 'a');
        } else if (!identifier) {
            return false;
        }
        if (kind == kOpened) {
            listener.consistOpened(*identifier);
        } else if (kind == kVehicle) {
            const std::optional<std::uint64_t> number = reader.number();
            const std::optional<std::string_view> heading = reader.text();
            if (!number || !heading || *number >= blueprints) {
                return false;
            }
            listener.vehicleClosed(*identifier, static_cast<std::size_t>(*number), *heading);
        } else if (kind == kClosed) {
            const std::optional<std::string_view> serviceName = reader.text();
            if (!serviceName) {
                return false;
            }
            listener.consistClosed(*identifier, *serviceName);
        } else {
            return false;
        }
    }
    return true;
}

} // namespace dovrel

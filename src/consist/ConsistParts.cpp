// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/ConsistParts.h"

#include "consist/ConsistLine.h"
#include "consist/ConsistMessages.h"
#include "platform/MessageBoxes.h"

namespace dovrel {

std::optional<std::int32_t> selectedUnitOrTell(const ConsistParts& parts) {
    if (parts.line.empty()) {
        parts.messages.warn(std::string(consistmessages::kNoConsist));
        return std::nullopt;
    }
    const std::int32_t selected = parts.line.selectedIndex();
    if (selected == -1) {
        parts.messages.warn(std::string(consistmessages::kSelectInConsist));
        return std::nullopt;
    }
    return selected;
}

} // namespace dovrel

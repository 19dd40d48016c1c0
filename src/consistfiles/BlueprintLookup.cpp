// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/BlueprintLookup.h"

#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"
#include "core/XmlText.h"

namespace dovrel {

namespace {
bool fieldFits(const EquipmentRecord& fields, RecordField field, const std::optional<std::string>& wanted) {
    return !wanted || equalsIgnoringCase(fields.field(field), *wanted);
}

std::optional<std::string> unescaped(const std::optional<std::string>& written) {
    return written ? std::optional<std::string>(xmlUnescapedText(*written)) : std::nullopt;
}
} // namespace

BlueprintLookup::BlueprintLookup(const std::vector<std::string>& catalogue) {
    for (const std::string& record : catalogue) {
        if (record.empty()) {
            break;
        }
        const EquipmentRecord fields(record);
        recordsByPath_[asciiLower(fields.field(RecordField::blueprintPath))].push_back(&record);
    }
}

const std::string* BlueprintLookup::find(std::string_view blueprint) const {
    return findUnit(std::nullopt, std::nullopt, blueprint);
}

const std::string* BlueprintLookup::findUnit(const std::optional<std::string>& provider,
                                             const std::optional<std::string>& product,
                                             std::string_view blueprint) const {
    const auto found = recordsByPath_.find(asciiLower(blueprint));
    if (found == recordsByPath_.end()) {
        return nullptr;
    }
    if (!provider && !product) {
        return found->second.front();
    }
    for (const std::string* record : found->second) {
        const EquipmentRecord fields(*record);
        if (fieldFits(fields, RecordField::provider, provider) &&
            fieldFits(fields, RecordField::product, product)) {
            return record;
        }
    }
    return nullptr;
}

const std::string* BlueprintLookup::findWritten(const std::optional<std::string>& provider,
                                                const std::optional<std::string>& product,
                                                std::string_view blueprintAsWritten) const {
    return findUnit(unescaped(provider), unescaped(product), xmlUnescapedText(blueprintAsWritten));
}

} // namespace dovrel

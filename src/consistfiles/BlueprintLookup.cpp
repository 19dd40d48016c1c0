// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/BlueprintLookup.h"

#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"
#include "core/XmlText.h"

#include <algorithm>
#include <array>

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
    // A path of usual length is lower-cased on the stack.
    std::array<char, 512> onStack{};
    std::string onHeap;
    std::string_view lower;
    if (blueprint.size() <= onStack.size()) {
        std::transform(blueprint.begin(), blueprint.end(), onStack.begin(),
                       [](char c) { return asciiLower(c); });
        lower = std::string_view(onStack.data(), blueprint.size());
    } else {
        onHeap = asciiLower(blueprint);
        lower = onHeap;
    }
    const auto found = recordsByPath_.find(lower);
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
    if (!provider && !product && blueprintAsWritten.find('&') == std::string_view::npos) {
        // Nothing to read first: the path is looked up as it stands.
        return findUnit(std::nullopt, std::nullopt, blueprintAsWritten);
    }
    return findUnit(unescaped(provider), unescaped(product), xmlUnescapedText(blueprintAsWritten));
}

} // namespace dovrel

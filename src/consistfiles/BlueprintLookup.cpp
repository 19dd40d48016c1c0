// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/BlueprintLookup.h"

#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"
#include "core/XmlText.h"

#include <cstdint>

namespace dovrel {

namespace {
bool fieldFits(const EquipmentRecord& fields, RecordField field, const std::optional<std::string>& wanted) {
    return !wanted || equalsIgnoringCase(fields.field(field), *wanted);
}

std::optional<std::string> unescaped(const std::optional<std::string>& written) {
    return written ? std::optional<std::string>(xmlUnescapedText(*written)) : std::nullopt;
}
} // namespace

std::size_t BlueprintLookup::PathHash::operator()(std::string_view path) const {
    // FNV-1a over the bytes in ASCII lower case.
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : path) {
        hash ^= static_cast<unsigned char>(asciiLower(c));
        hash *= 1099511628211ULL;
    }
    return static_cast<std::size_t>(hash);
}

bool BlueprintLookup::PathEqual::operator()(std::string_view a, std::string_view b) const {
    return equalsIgnoringCase(a, b);
}

BlueprintLookup::BlueprintLookup(const std::vector<std::string>& catalogue) {
    for (const std::string& record : catalogue) {
        if (record.empty()) {
            break;
        }
        const EquipmentRecord fields(record);
        recordsByPath_[std::string(fields.field(RecordField::blueprintPath))].push_back(&record);
    }
}

const std::string* BlueprintLookup::find(std::string_view blueprint) const {
    return findUnit(std::nullopt, std::nullopt, blueprint);
}

const std::string* BlueprintLookup::findUnit(const std::optional<std::string>& provider,
                                             const std::optional<std::string>& product,
                                             std::string_view blueprint) const {
    const auto found = recordsByPath_.find(blueprint);
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

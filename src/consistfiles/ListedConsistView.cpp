// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ListedConsistView.h"

#include "catalogue/EquipmentRecord.h"
#include "consistfiles/BlueprintLookup.h"
#include "consistfiles/ConsistFileMessages.h"
#include "core/TextRules.h"
#include "core/XmlText.h"

#include <algorithm>

namespace dovrel {

std::vector<UnitViewRow> unitViewRows(const std::vector<std::string>& listedUnits) {
    std::vector<UnitViewRow> rows;
    for (const std::string& unit : listedUnits) {
        const EquipmentRecord fields(unit);
        const std::string_view heading = fields.field(fields.fieldCount() - 1);
        rows.push_back(
            {std::to_string(rows.size() + 1), std::string(fields.field(RecordField::englishName)),
             std::string(heading == "0" ? consistmessages::kForward : consistmessages::kReversed)});
    }
    return rows;
}

std::string shownRowText(std::string_view rowText) {
    return xmlUnescapedText(rowText);
}

std::string chosenConsistCaption(std::string_view rowText) {
    std::string caption = shownRowText(rowText);
    std::replace(caption.begin(), caption.end(), '\t', ' ');
    return caption;
}

std::string rowName(std::string_view rowText) {
    const std::size_t tab = rowText.find('\t');
    if (tab == std::string_view::npos) {
        return {};
    }
    return std::string(trimSpaces(rowText.substr(tab + 1)));
}

std::string rowNameAsText(std::string_view rowText) {
    const std::size_t tab = rowText.find('\t');
    return tab == std::string_view::npos ? std::string() : xmlUnescapedText(rowText.substr(tab + 1));
}

std::string loadedConsistName(std::string_view rowText) {
    std::string name(trimSpaces(rowNameAsText(rowText)));
    std::erase_if(name, [](char c) { return c == '(' || c == ')'; });
    return name;
}

LoadedConsist loadListedConsist(std::string_view rowText, const std::vector<std::string>& listedUnits,
                                const std::vector<std::string>& catalogue) {
    LoadedConsist loaded;
    loaded.name = loadedConsistName(rowText);
    const BlueprintLookup lookup(catalogue);
    for (const std::string& unit : listedUnits) {
        const EquipmentRecord fields(unit);
        if (fields.fieldCount() <= static_cast<std::size_t>(RecordField::blueprintPath) ||
            lookup.findUnit(std::string(fields.field(RecordField::provider)),
                            std::string(fields.field(RecordField::product)),
                            fields.field(RecordField::blueprintPath)) == nullptr) {
            continue;
        }
        if (loaded.units.size() >= kConsistLineSlots) {
            loaded.overflowed = true;
            break;
        }
        loaded.units.push_back(unit);
    }
    return loaded;
}

std::optional<std::size_t> rowNamed(const std::vector<ConsistRow>& rows, std::string_view name) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (xmlUnescapedText(rowName(rows[i].text())) == name) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace dovrel

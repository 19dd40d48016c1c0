#include "consistfiles/BlueprintLookup.h"

#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"
#include "core/XmlText.h"

namespace dovrel {

BlueprintLookup::BlueprintLookup(const std::vector<std::string>& catalogue) {
    for (std::size_t slot = 0; slot < catalogue.size() && slot < kTableSlots; ++slot) {
        const std::string& record = catalogue[slot];
        if (record.empty()) {
            break;
        }
        const EquipmentRecord fields(record);
        // emplace keeps the first record of a path.
        firstRecordByPath_.emplace(asciiLower(fields.field(RecordField::blueprintPath)), &record);
    }
}

const std::string* BlueprintLookup::findWritten(std::string_view blueprintAsWritten) const {
    return find(xmlUnescapedText(blueprintAsWritten));
}

const std::string* BlueprintLookup::find(std::string_view blueprint) const {
    const auto found = firstRecordByPath_.find(asciiLower(blueprint));
    return found == firstRecordByPath_.end() ? nullptr : found->second;
}

} // namespace dovrel

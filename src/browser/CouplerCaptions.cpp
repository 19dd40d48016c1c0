// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/CouplerCaptions.h"

#include "catalogue/EquipmentRecord.h"

namespace dovrel {

namespace {
constexpr std::size_t kLetters = 26;
} // namespace

std::string couplerBoxCaption(std::size_t element, std::string_view couplerName) {
    std::string caption;
    if (element >= 1 && element <= kLetters) {
        caption.push_back(static_cast<char>('A' + (element - 1)));
    }
    caption.push_back(' ');
    caption.append(couplerName);
    return caption;
}

std::vector<std::string> couplerBoxCaptions(std::span<const std::string> couplerList) {
    std::vector<std::string> captions;
    captions.reserve(couplerList.size());
    for (std::size_t i = 0; i < couplerList.size(); ++i) {
        captions.push_back(couplerBoxCaption(i + 1, couplerList[i]));
    }
    return captions;
}

std::string_view couplerNameOfCaption(std::string_view caption) {
    const std::size_t blank = caption.find(' ');
    if (blank == std::string_view::npos) {
        return {};
    }
    return caption.substr(blank + 1);
}

SelectedUnitCouplers couplersOfListItem(const Catalogue& catalogue, std::string_view itemText) {
    const std::string* record = catalogue.firstNamed(itemText);
    return record != nullptr ? couplersOfRecord(*record) : SelectedUnitCouplers{};
}

SelectedUnitCouplers couplersOfRecord(std::string_view record) {
    SelectedUnitCouplers couplers;
    const std::string_view front = recordFieldView(record, RecordField::frontCouplingId);
    const std::string_view rear = recordFieldView(record, RecordField::rearCouplingId);
    couplers.front = front == "*" ? std::string("?") : shortCouplerName(front);
    couplers.rear = rear == "*" ? std::string("*") : shortCouplerName(rear);
    return couplers;
}

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/EquipmentRecord.h"

#include <algorithm>

namespace dovrel {

EquipmentRecord::EquipmentRecord(std::string_view line) : line_(line) {
    fields_.reserve(kRecordFieldCount);
    std::size_t start = 0;
    for (std::size_t bar = line_.find('|'); bar != std::string::npos; bar = line_.find('|', start)) {
        fields_.push_back({start, bar - start});
        start = bar + 1;
    }
    fields_.push_back({start, line_.size() - start});
}

std::string_view EquipmentRecord::field(std::size_t index) const {
    if (index >= fields_.size()) {
        return {};
    }
    return std::string_view(line_).substr(fields_[index].start, fields_[index].length);
}

std::string_view EquipmentRecord::field(RecordField which) const {
    return field(static_cast<std::size_t>(which));
}

std::string EquipmentRecord::join(const std::array<std::string, kRecordFieldCount>& fields) {
    std::array<std::string_view, kRecordFieldCount> views;
    std::copy(fields.begin(), fields.end(), views.begin());
    return join(views);
}

std::string EquipmentRecord::join(const std::array<std::string_view, kRecordFieldCount>& fields) {
    std::size_t size = fields.size() - 1;
    for (const std::string_view field : fields) {
        size += field.size();
    }
    std::string line;
    line.reserve(size);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line.push_back('|');
        }
        line.append(fields[i]);
    }
    return line;
}

std::string_view recordFieldView(std::string_view line, RecordField field) {
    std::size_t start = 0;
    for (auto k = static_cast<std::size_t>(field); k > 0; --k) {
        const std::size_t bar = line.find('|', start);
        if (bar == std::string_view::npos) {
            return {};
        }
        start = bar + 1;
    }
    const std::size_t end = line.find('|', start);
    return line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

std::string_view shortCouplerView(std::string_view couplingId) {
    std::string_view name = couplingId;
    if (const std::size_t slash = name.rfind('\\'); slash != std::string_view::npos) {
        name.remove_prefix(slash + 1);
    }
    if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos) {
        name = name.substr(0, dot);
    }
    return name;
}

std::string shortCouplerName(std::string_view couplingId) {
    return std::string(shortCouplerView(couplingId));
}

} // namespace dovrel

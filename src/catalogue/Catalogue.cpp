// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/Catalogue.h"

#include "core/TextRules.h"

namespace dovrel {

void Catalogue::clear() {
    slots_.clear();
    count_ = 0;
}

bool Catalogue::append(std::string record) {
    if (record.empty()) {
        return false;
    }
    const bool contiguous = count_ == slots_.size();
    slots_.push_back(std::move(record));
    if (contiguous) {
        ++count_;
    }
    return true;
}

std::string_view Catalogue::slot(std::size_t index) const {
    if (index >= slots_.size()) {
        return {};
    }
    return slots_[index];
}

std::string Catalogue::cacheText() const {
    std::string text;
    for (const std::string& record : records()) {
        text.append(record);
        text.append("\r\n");
    }
    if (!text.empty()) {
        text.resize(text.size() - 2);
    }
    return text;
}

Catalogue Catalogue::fromCacheText(std::string_view text) {
    Catalogue catalogue;
    catalogue.slots_ = splitCacheLines(text);
    catalogue.recount();
    return catalogue;
}

void Catalogue::recount() {
    count_ = 0;
    while (count_ < slots_.size() && !slots_[count_].empty()) {
        ++count_;
    }
}

} // namespace dovrel

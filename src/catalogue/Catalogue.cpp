// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/Catalogue.h"

#include "core/TextRules.h"

namespace dovrel {

void Catalogue::clear() {
    slots_.clear();
    count_ = 0;
    index_.reset();
}

bool Catalogue::append(std::string record) {
    if (record.empty()) {
        return false;
    }
    const bool contiguous = count_ == slots_.size();
    slots_.push_back(std::move(record));
    if (contiguous) {
        index_.reset();
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
    // Sized at once: a large catalogue's text is not copied over as it grows.
    std::size_t size = 0;
    for (const std::string& record : records()) {
        size += record.size() + 2;
    }
    std::string text;
    text.reserve(size);
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
    return fromSlots(splitCacheLines(text));
}

Catalogue Catalogue::fromSlots(std::vector<std::string> slots) {
    Catalogue catalogue;
    catalogue.slots_ = std::move(slots);
    catalogue.recount();
    return catalogue;
}

void Catalogue::recount() {
    count_ = 0;
    index_.reset();
    while (count_ < slots_.size() && !slots_[count_].empty()) {
        ++count_;
    }
}

const CatalogueIndex& Catalogue::index() const {
    if (!index_) {
        index_.emplace(records());
    }
    return *index_;
}

const std::string* Catalogue::firstNamed(std::string_view englishName) const {
    const std::optional<std::size_t> position = index().firstNamed(records(), englishName);
    return position ? &slots_[*position] : nullptr;
}

const std::string* Catalogue::firstNamedIgnoringCase(std::string_view englishName) const {
    const std::optional<std::size_t> position = index().firstNamedIgnoringCase(records(), englishName);
    return position ? &slots_[*position] : nullptr;
}

std::vector<const std::string*> Catalogue::withBlueprintPath(std::string_view blueprintPath) const {
    std::vector<const std::string*> found;
    for (const std::size_t position : index().withBlueprintPath(records(), blueprintPath)) {
        found.push_back(&slots_[position]);
    }
    return found;
}

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CatalogueIndex.h"

#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"

namespace dovrel {

namespace {

// FNV-1a over the text's bytes, each in ASCII lower case when the case is ignored.
std::uint64_t keyHash(std::string_view text, bool ignoreCase) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(ignoreCase ? asciiLower(c) : c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

} // namespace

void CatalogueIndex::Chains::clear() {
    ends_.clear();
    next_.clear();
}

void CatalogueIndex::Chains::add(std::uint64_t hash, std::uint32_t position) {
    next_.push_back(kEnd);
    const auto [ends, added] = ends_.try_emplace(hash, Ends{position, position});
    if (!added) {
        next_[ends->second.last] = position;
        ends->second.last = position;
    }
}

template <typename Visit> void CatalogueIndex::Chains::forEach(std::uint64_t hash, Visit visit) const {
    const auto ends = ends_.find(hash);
    if (ends == ends_.end()) {
        return;
    }
    for (std::uint32_t position = ends->second.first; position != kEnd; position = next_[position]) {
        if (visit(static_cast<std::size_t>(position))) {
            return;
        }
    }
}

void CatalogueIndex::clear() {
    count_ = 0;
    names_.clear();
    namesIgnoringCase_.clear();
    paths_.clear();
}

void CatalogueIndex::add(std::string_view record) {
    const std::string_view name = recordFieldView(record, RecordField::englishName);
    names_.add(keyHash(name, false), count_);
    namesIgnoringCase_.add(keyHash(name, true), count_);
    paths_.add(keyHash(recordFieldView(record, RecordField::blueprintPath), true), count_);
    ++count_;
}

std::optional<std::size_t> CatalogueIndex::firstNamed(std::span<const std::string> records,
                                                      std::string_view name) const {
    std::optional<std::size_t> found;
    names_.forEach(keyHash(name, false), [&](std::size_t position) {
        if (recordFieldView(records[position], RecordField::englishName) == name) {
            found = position;
        }
        return found.has_value();
    });
    return found;
}

std::optional<std::size_t> CatalogueIndex::firstNamedIgnoringCase(std::span<const std::string> records,
                                                                  std::string_view name) const {
    std::optional<std::size_t> found;
    namesIgnoringCase_.forEach(keyHash(name, true), [&](std::size_t position) {
        if (equalsIgnoringCase(recordFieldView(records[position], RecordField::englishName), name)) {
            found = position;
        }
        return found.has_value();
    });
    return found;
}

std::vector<std::size_t> CatalogueIndex::withBlueprintPath(std::span<const std::string> records,
                                                           std::string_view path) const {
    std::vector<std::size_t> found;
    paths_.forEach(keyHash(path, true), [&](std::size_t position) {
        if (equalsIgnoringCase(recordFieldView(records[position], RecordField::blueprintPath), path)) {
            found.push_back(position);
        }
        return false;
    });
    return found;
}

} // namespace dovrel

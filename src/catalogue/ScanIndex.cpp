// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/ScanIndex.h"

#include "catalogue/IndexText.h"

#include <algorithm>
#include <array>
#include <vector>

namespace dovrel {

namespace {

constexpr std::string_view kHeader = "dovrel scan index 1\n";
constexpr long long kTrustedAgeNs = 1000000000LL;

// The reader's values, in one fixed order.
constexpr std::array kFields = {
    &BlueprintFields::blueprintKind,    &BlueprintFields::unitClass,       &BlueprintFields::commonName,
    &BlueprintFields::englishName,      &BlueprintFields::frontCouplingId, &BlueprintFields::frontCoupler,
    &BlueprintFields::rearCouplingId,   &BlueprintFields::rearCoupler,     &BlueprintFields::mass,
    &BlueprintFields::easeOfDerailment, &BlueprintFields::dragCoefficient, &BlueprintFields::rollingFriction,
    &BlueprintFields::dryFriction,      &BlueprintFields::wetFriction,     &BlueprintFields::snowFriction,
    &BlueprintFields::sandFriction,     &BlueprintFields::capacity,        &BlueprintFields::bulkFreightType,
    &BlueprintFields::multipleUnit,
};

constexpr long long kNoConverterResult = -1000;

// An outcome as the index's text holds it after the blueprint's stamp.
void putOutcome(std::string& out, const BlueprintOutcome& outcome) {
    putIndexNumber(out, outcome.status);
    putIndexNumber(out, outcome.englishNameReached ? 1 : 0);
    putIndexNumber(out, outcome.converterResult.value_or(kNoConverterResult));
    putIndexText(out, outcome.rootLine);
    for (const auto field : kFields) {
        putIndexText(out, outcome.fields.*field);
    }
}

// Reads an outcome written by putOutcome into `outcome`, or, with none given, only steps over it;
// false when it is out of shape.
bool readOutcome(IndexTextReader& reader, BlueprintOutcome* outcome) {
    const std::optional<long long> status = reader.number();
    const std::optional<long long> reached = reader.number();
    const std::optional<long long> result = reader.number();
    const std::optional<std::string_view> rootLine = reader.text();
    if (!status || !reached || !result || !rootLine) {
        return false;
    }
    if (outcome != nullptr) {
        outcome->status = static_cast<int>(*status);
        outcome->englishNameReached = *reached == 1;
        if (*result != kNoConverterResult) {
            outcome->converterResult = static_cast<int>(*result);
        }
        outcome->rootLine = std::string(*rootLine);
    }
    for (const auto field : kFields) {
        const std::optional<std::string_view> value = reader.text();
        if (!value) {
            return false;
        }
        if (outcome != nullptr) {
            outcome->fields.*field = std::string(*value);
        }
    }
    return true;
}

BlueprintOutcome outcomeOf(std::string_view text) {
    BlueprintOutcome outcome;
    IndexTextReader reader(text);
    (void)readOutcome(reader, &outcome);
    return outcome;
}

} // namespace

std::string_view ScanIndex::keyOf(const FoundBlueprint& blueprint, std::string& packedKey) {
    if (!blueprint.packed) {
        return blueprint.file;
    }
    packedKey = blueprint.file;
    packedKey.push_back('\0');
    packedKey.append(std::to_string(blueprint.packed->index)).push_back('\0');
    packedKey.append(blueprint.packed->name);
    return packedKey;
}

template <class Index> auto* ScanIndex::matching(Index& index, const FoundBlueprint& blueprint) {
    std::string packedKey;
    const auto found = index.entries_.find(keyOf(blueprint, packedKey));
    return found == index.entries_.end() || !(found->second.stamp == blueprint.stamp) ? nullptr
                                                                                      : &found->second;
}

std::optional<BlueprintOutcome> ScanIndex::find(const FoundBlueprint& blueprint) const {
    const Entry* entry = matching(*this, blueprint);
    return entry != nullptr ? std::optional(outcomeOf(entry->outcome)) : std::nullopt;
}

void ScanIndex::beginScan(long long startNs) {
    startNs_ = startNs;
    ++scan_;
}

std::optional<BlueprintOutcome> ScanIndex::reuse(const FoundBlueprint& blueprint) {
    Entry* entry = matching(*this, blueprint);
    if (entry == nullptr) {
        return std::nullopt;
    }
    entry->metInScan = scan_;
    return outcomeOf(entry->outcome);
}

void ScanIndex::note(const FoundBlueprint& blueprint, const BlueprintOutcome& outcome) {
    // A blueprint whose bytes could not be had may be readable next time with the same stamp (its
    // permissions changed, say): it is not noted.
    if (blueprint.stamp.modifiedNs > startNs_ - kTrustedAgeNs || !outcome.converterResult) {
        return;
    }
    std::string text;
    putOutcome(text, outcome);
    std::string packedKey;
    const std::string_view key = keyOf(blueprint, packedKey);
    const auto found = entries_.find(key);
    const std::string_view outcomeText = keep(std::move(text));
    if (found != entries_.end()) {
        found->second = Entry{blueprint.stamp, outcomeText, scan_};
    } else {
        entries_.emplace(keep(std::string(key)), Entry{blueprint.stamp, outcomeText, scan_});
    }
}

std::string_view ScanIndex::keep(std::string text) {
    return noted_.emplace_back(std::move(text));
}

std::size_t ScanIndex::forgetUnmet() {
    // The texts of the entries dropped stay until the index goes: a scan drops few.
    return std::erase_if(entries_, [this](const auto& noted) { return noted.second.metInScan != scan_; });
}

std::string ScanIndex::text() const {
    std::vector<const std::pair<const std::string_view, Entry>*> inOrder;
    inOrder.reserve(entries_.size());
    for (const auto& noted : entries_) {
        inOrder.push_back(&noted);
    }
    std::sort(inOrder.begin(), inOrder.end(),
              [](const auto* a, const auto* b) { return a->first < b->first; });
    std::string out(kHeader);
    putIndexNumber(out, startNs_);
    for (const auto* noted : inOrder) {
        const auto& [key, entry] = *noted;
        out.push_back('\n');
        putIndexText(out, key);
        putIndexNumber(out, entry.stamp.size);
        putIndexNumber(out, entry.stamp.modifiedNs);
        out.append(entry.outcome);
    }
    return out;
}

ScanIndex ScanIndex::load(const Files& files, const std::filesystem::path& file) {
    std::optional<std::string> bytes = files.read(file);
    if (!bytes || !std::string_view(*bytes).starts_with(kHeader)) {
        return ScanIndex(0);
    }
    auto loaded = std::make_unique<const std::string>(std::move(*bytes));
    IndexTextReader reader(std::string_view(*loaded).substr(kHeader.size()));
    const std::optional<long long> start = reader.number();
    if (!start) {
        return ScanIndex(0);
    }
    ScanIndex index(*start);
    // One line a blueprint: the table is made large enough at once.
    index.entries_.reserve(static_cast<std::size_t>(std::count(loaded->begin(), loaded->end(), '\n')));
    while (!reader.atEnd()) {
        // Anything out of shape makes the whole index unusable: every blueprint is converted again.
        if (!reader.skip('\n')) {
            return ScanIndex(0);
        }
        const std::optional<std::string_view> key = reader.text();
        const std::optional<long long> size = reader.number();
        const std::optional<long long> modified = reader.number();
        if (!key || !size || !modified) {
            return ScanIndex(0);
        }
        // The outcome is checked here and kept as its text: its values are made when it is taken.
        const std::size_t outcomeStart = reader.position();
        if (!readOutcome(reader, nullptr)) {
            return ScanIndex(0);
        }
        index.entries_.insert_or_assign(*key,
                                        Entry{FileStamp{*size, *modified}, reader.textSince(outcomeStart)});
    }
    index.loaded_ = std::move(loaded);
    return index;
}

FileStatus ScanIndex::write(Files& files, const std::filesystem::path& file) const {
    return files.replaceRegenerable(file, text());
}

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/ScanIndex.h"

#include <array>
#include <charconv>
#include <vector>

namespace dovrel {

namespace {

constexpr std::string_view kHeader = "dovrel scan index 1\n";
constexpr long long kTrustedAgeNs = 1000000000LL;

// Every text is written as its length, ":" and its bytes, so any byte may stand in it.
void put(std::string& out, std::string_view text) {
    out.append(std::to_string(text.size())).push_back(':');
    out.append(text);
}

void putNumber(std::string& out, long long number) {
    put(out, std::to_string(number));
}

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool atEnd() const { return position_ == text_.size(); }

    bool skip(char expected) {
        if (position_ < text_.size() && text_[position_] == expected) {
            ++position_;
            return true;
        }
        return false;
    }

    std::optional<std::string_view> text() {
        const std::size_t colon = text_.find(':', position_);
        if (colon == std::string_view::npos) {
            return std::nullopt;
        }
        std::size_t length = 0;
        const auto [end, error] = std::from_chars(text_.data() + position_, text_.data() + colon, length);
        if (error != std::errc() || end != text_.data() + colon || length > text_.size() - colon - 1) {
            return std::nullopt;
        }
        position_ = colon + 1 + length;
        return text_.substr(colon + 1, length);
    }

    std::optional<long long> number() {
        const std::optional<std::string_view> digits = text();
        if (!digits) {
            return std::nullopt;
        }
        long long value = 0;
        const auto [end, error] = std::from_chars(digits->data(), digits->data() + digits->size(), value);
        if (error != std::errc() || end != digits->data() + digits->size()) {
            return std::nullopt;
        }
        return value;
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

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

} // namespace

std::string ScanIndex::keyOf(const FoundBlueprint& blueprint) {
    std::string key = blueprint.file.string();
    if (blueprint.packed) {
        key.push_back('\0');
        key.append(std::to_string(blueprint.packed->index)).push_back('\0');
        key.append(blueprint.packed->name);
    }
    return key;
}

std::optional<BlueprintOutcome> ScanIndex::find(const FoundBlueprint& blueprint) const {
    const auto found = entries_.find(keyOf(blueprint));
    if (found == entries_.end() || !(found->second.stamp == blueprint.stamp)) {
        return std::nullopt;
    }
    return found->second.outcome;
}

void ScanIndex::note(const FoundBlueprint& blueprint, BlueprintOutcome outcome) {
    // A blueprint whose bytes could not be had may be readable next time with the same stamp (its
    // permissions changed, say): it is not noted.
    if (blueprint.stamp.modifiedNs > startNs_ - kTrustedAgeNs || !outcome.converterResult) {
        return;
    }
    entries_.insert_or_assign(keyOf(blueprint), Entry{blueprint.stamp, std::move(outcome)});
}

std::string ScanIndex::text() const {
    std::string out(kHeader);
    putNumber(out, startNs_);
    for (const auto& [key, entry] : entries_) {
        out.push_back('\n');
        put(out, key);
        putNumber(out, entry.stamp.size);
        putNumber(out, entry.stamp.modifiedNs);
        putNumber(out, entry.outcome.status);
        putNumber(out, entry.outcome.englishNameReached ? 1 : 0);
        putNumber(out, entry.outcome.converterResult.value_or(kNoConverterResult));
        put(out, entry.outcome.rootLine);
        for (const auto field : kFields) {
            put(out, entry.outcome.fields.*field);
        }
    }
    return out;
}

ScanIndex ScanIndex::load(const Files& files, const std::filesystem::path& file) {
    const std::optional<std::string> bytes = files.read(file);
    if (!bytes || !std::string_view(*bytes).starts_with(kHeader)) {
        return ScanIndex(0);
    }
    Reader reader(std::string_view(*bytes).substr(kHeader.size()));
    const std::optional<long long> start = reader.number();
    if (!start) {
        return ScanIndex(0);
    }
    ScanIndex index(*start);
    while (!reader.atEnd()) {
        // Anything out of shape makes the whole index unusable: every blueprint is converted again.
        if (!reader.skip('\n')) {
            return ScanIndex(0);
        }
        const std::optional<std::string_view> key = reader.text();
        const std::optional<long long> size = reader.number();
        const std::optional<long long> modified = reader.number();
        const std::optional<long long> status = reader.number();
        const std::optional<long long> reached = reader.number();
        const std::optional<long long> result = reader.number();
        const std::optional<std::string_view> rootLine = reader.text();
        if (!key || !size || !modified || !status || !reached || !result || !rootLine) {
            return ScanIndex(0);
        }
        Entry entry{FileStamp{*size, *modified}, {}};
        entry.outcome.status = static_cast<int>(*status);
        entry.outcome.englishNameReached = *reached == 1;
        if (*result != kNoConverterResult) {
            entry.outcome.converterResult = static_cast<int>(*result);
        }
        entry.outcome.rootLine = std::string(*rootLine);
        for (const auto field : kFields) {
            const std::optional<std::string_view> value = reader.text();
            if (!value) {
                return ScanIndex(0);
            }
            entry.outcome.fields.*field = std::string(*value);
        }
        index.entries_.insert_or_assign(std::string(*key), std::move(entry));
    }
    return index;
}

FileStatus ScanIndex::write(Files& files, const std::filesystem::path& file) const {
    return files.replaceRegenerable(file, text());
}

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/ConsistTotals.h"

#include "browser/LocaleNumber.h"
#include "browser/WeightUnits.h"
#include "catalogue/EquipmentRecord.h"

#include <algorithm>

namespace dovrel {

namespace {

constexpr std::size_t kNamesShown = 10;

std::string counted(std::size_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string namedUnits(const std::vector<std::string>& names, std::string_view one, std::string_view many) {
    std::string text = counted(names.size(), one, many) + ": ";
    for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i) {
        text += (i == 0 ? "" : ", ") + names[i];
    }
    if (names.size() > kNamesShown) {
        text += " and " + std::to_string(names.size() - kNamesShown) + " more";
    }
    return text;
}

} // namespace

ConsistTotals consistTotals(std::span<const std::string> units, std::string_view unitWeight) {
    ConsistTotals totals;
    totals.unitKnown = convertMass(0.0f, unitWeight).has_value();
    if (!totals.unitKnown) {
        return totals;
    }
    for (const std::string& unit : units) {
        const std::string_view massText = recordFieldView(unit, RecordField::mass);
        const std::optional<float> stored = storedNumber(massText);
        const std::optional<float> mass = stored ? convertMass(*stored, unitWeight) : std::nullopt;
        if (!mass) {
            totals.withoutMass.emplace_back(recordFieldView(unit, RecordField::englishName));
            continue;
        }
        float gross = *mass;
        bool cargoRead = true;
        // The capacity is the field after the mass.
        const std::size_t massEnd = static_cast<std::size_t>(massText.data() - unit.data()) + massText.size();
        std::string_view capacity = std::string_view(unit).substr(std::min(massEnd + 1, unit.size()));
        capacity = capacity.substr(0, capacity.find('|'));
        for (std::size_t start = 0; !capacity.empty() && start <= capacity.size();) {
            std::size_t end = capacity.find(';', start);
            end = end == std::string_view::npos ? capacity.size() : end;
            const std::optional<float> load = storedNumber(capacity.substr(start, end - start));
            const std::optional<float> converted = load ? convertMass(*load, unitWeight) : std::nullopt;
            if (converted) {
                gross = static_cast<float>(static_cast<double>(gross) + *converted);
            } else {
                cargoRead = false;
            }
            start = end + 1;
        }
        if (!cargoRead) {
            totals.unreadableCargo.emplace_back(recordFieldView(unit, RecordField::englishName));
        }
        totals.mass += *mass;
        totals.loadedGross += gross;
    }
    return totals;
}

std::string totalsCaption(std::size_t unitCount, const ConsistTotals& totals, std::size_t mismatches,
                          std::string_view unitWeight, const QLocale& locale) {
    if (unitCount == 0) {
        return {};
    }
    std::string caption;
    const auto mass = formatMassTotal(totals.mass, unitWeight, locale);
    const auto loaded = formatMassTotal(totals.loadedGross, unitWeight, locale);
    if (totals.unitKnown && mass && loaded) {
        caption = "Mass " + *mass + ", loaded " + *loaded;
    }
    if (mismatches > 0) {
        caption +=
            (caption.empty() ? "" : ", ") + counted(mismatches, "coupler mismatch", "coupler mismatches");
    }
    return caption;
}

std::string totalsToolTip(const ConsistTotals& totals) {
    std::string tip;
    if (!totals.withoutMass.empty()) {
        tip = namedUnits(totals.withoutMass, "unit without a mass", "units without a mass");
    }
    if (!totals.unreadableCargo.empty()) {
        tip += (tip.empty() ? "" : "\n") + namedUnits(totals.unreadableCargo,
                                                      "unit with an unreadable cargo capacity",
                                                      "units with an unreadable cargo capacity");
    }
    return tip;
}

} // namespace dovrel

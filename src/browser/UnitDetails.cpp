// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/UnitDetails.h"

#include "browser/CatalogueSearch.h"
#include "browser/LocaleNumber.h"
#include "browser/WeightUnits.h"
#include "core/NumberText.h"
#include "core/TextRules.h"

#include <optional>
#include <unordered_map>

namespace dovrel {

namespace {

constexpr float kLocoCargoWidth = 2600.0f;
constexpr float kWagonCargoWidth = 1400.0f;
constexpr float kDetailsMargin = 240.0f;

// The two wagon cells that depend on a single numeric capacity.
struct WagonCargoCells {
    std::string capacity;
    std::string loadedGross;
};

WagonCargoCells wagonCargoCells(const EquipmentRecord& record, std::string_view unitWeight,
                                const QLocale& locale) {
    const std::string_view capacityText = record.field(RecordField::capacity);
    if (capacityText.empty()) {
        return {};
    }
    if (!isNumberText(capacityText)) {
        return {cargoListText(capacityText, record.field(RecordField::bulkFreightType), locale), {}};
    }
    const std::optional<float> capacity = storedNumber(capacityText);
    const std::optional<float> convertedCapacity =
        capacity ? convertMass(*capacity, unitWeight) : std::nullopt;
    if (!convertedCapacity) {
        return {};
    }
    WagonCargoCells cells;
    cells.capacity = formatMass(*convertedCapacity, unitWeight, locale).value_or(std::string());
    const std::optional<float> mass = storedNumber(record.field(RecordField::mass));
    const std::optional<float> convertedMass = mass ? convertMass(*mass, unitWeight) : std::nullopt;
    if (convertedMass) {
        const auto gross = static_cast<float>(static_cast<double>(*convertedMass) + *convertedCapacity);
        cells.loadedGross = formatMass(gross, unitWeight, locale).value_or(std::string());
    }
    return cells;
}

} // namespace

float cargoColumnWidth(BrowserSide side) {
    return side == BrowserSide::Loco ? kLocoCargoWidth : kWagonCargoWidth;
}

std::string unitTypeText(BrowserSide side, const EquipmentRecord& record) {
    std::string text(record.field(RecordField::unitClass));
    if (side == BrowserSide::Loco && record.field(RecordField::multipleUnit) == "1") {
        text += "/mu";
    }
    return text;
}

std::string cargoListText(std::string_view capacity, std::string_view bulkFreightType,
                          const QLocale& locale) {
    if (capacity.empty()) {
        return {};
    }
    const std::vector<std::string> capacities = splitAt(capacity, ";");
    const std::vector<std::string> freightTypes = splitAt(bulkFreightType, ";");
    std::string text;
    for (std::size_t k = 0; k < capacities.size(); ++k) {
        const std::optional<float> value = storedNumber(capacities[k]);
        const std::optional<std::string> shown = value ? formatInLocale(*value, 1, locale) : std::nullopt;
        if (!shown || k >= freightTypes.size()) {
            continue;
        }
        text += *shown + "-" + freightTypes[k] + "  ";
    }
    return std::string(trimSpaces(text));
}

DetailsRow detailsRowOf(BrowserSide side, const EquipmentRecord& record, std::string_view unitWeight,
                        const QLocale& locale) {
    DetailsRow row;
    row[0] = unitTypeText(side, record);
    row[1] = record.field(RecordField::commonName);
    row[2] = record.field(RecordField::englishName);
    row[3] = massCellText(record.field(RecordField::mass), unitWeight, locale);
    if (side == BrowserSide::Loco) {
        row[4] = cargoListText(record.field(RecordField::capacity),
                               record.field(RecordField::bulkFreightType), locale);
    } else {
        WagonCargoCells cells = wagonCargoCells(record, unitWeight, locale);
        row[4] = std::move(cells.capacity);
        row[5] = std::move(cells.loadedGross);
    }
    row[6] = record.field(RecordField::frontCoupler);
    row[7] = record.field(RecordField::rearCoupler);
    constexpr std::array<RecordField, 7> kCoefficients = {
        RecordField::easeOfDerailment, RecordField::dragCoefficient, RecordField::rollingFriction,
        RecordField::dryFriction,      RecordField::wetFriction,     RecordField::snowFriction,
        RecordField::sandFriction,
    };
    for (std::size_t i = 0; i < kCoefficients.size(); ++i) {
        row[8 + i] = record.field(kCoefficients[i]);
    }
    return row;
}

std::vector<DetailsRow> detailsRows(BrowserSide side, std::span<const std::string> listItems,
                                    std::span<const std::string> catalogue, std::string_view unitWeight,
                                    const QLocale& locale) {
    // Every record's row is made once, then handed out once per list item with that name.
    const std::span<const std::string> records = recordsInUse(catalogue);
    std::unordered_map<std::string, std::vector<std::size_t>> slotsByName;
    std::vector<EquipmentRecord> split;
    split.reserve(records.size());
    for (std::size_t slot = 0; slot < records.size(); ++slot) {
        split.emplace_back(records[slot]);
        slotsByName[std::string(split.back().field(RecordField::englishName))].push_back(slot);
    }
    std::vector<std::optional<DetailsRow>> madeRows(records.size());
    std::vector<DetailsRow> rows;
    for (const std::string& item : listItems) {
        const auto named = slotsByName.find(item);
        if (named == slotsByName.end()) {
            continue;
        }
        for (const std::size_t slot : named->second) {
            if (!madeRows[slot]) {
                madeRows[slot] = detailsRowOf(side, split[slot], unitWeight, locale);
            }
            rows.push_back(*madeRows[slot]);
        }
    }
    return rows;
}

DetailsWindowLayout detailsWindowLayout(float innerWidth, float innerHeight, float label1Width,
                                        float label1Height) {
    return {innerWidth - label1Width - kDetailsMargin, innerWidth - kDetailsMargin,
            innerHeight - kDetailsMargin - label1Height};
}

} // namespace dovrel

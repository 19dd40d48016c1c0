// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/WeightUnits.h"

#include "browser/LocaleNumber.h"
#include "core/NumberText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace dovrel {

namespace {

constexpr std::array<WeightMenuEntry, 4> kMenu = {{
    {WeightMenuItem::Imperial, "mnuImperial", "Imperial (pounds)", "imperial"},
    {WeightMenuItem::ImperialTons2240, "mnuImperialTons2240", "Imperial (imperial tons\xC2\xB9 [2240])",
     "imperialtons2240"},
    {WeightMenuItem::ImperialTons2000, "mnuImperialTons2000", "Imperial (short tons\xC2\xB2 [2000])",
     "imperialtons2000"},
    {WeightMenuItem::Metric, "mnuMetric", "Metric (kilograms)", "metric"},
}};

// The order in which a stored value is compared at start-up.
constexpr std::array<WeightMenuItem, 4> kRestoreOrder = {WeightMenuItem::Metric, WeightMenuItem::Imperial,
                                                         WeightMenuItem::ImperialTons2240,
                                                         WeightMenuItem::ImperialTons2000};

constexpr double kKilogramsPerLongTon = 1016.0469088;
constexpr float kPoundsPerLongTon = 2240.0f;
constexpr double kShortTonsPerLongTon = 1.12;

struct MassLayout {
    int decimals;
    std::string_view suffix;
};

std::optional<MassLayout> layoutOf(std::string_view unitWeight) {
    if (unitWeight == "metric") {
        return MassLayout{0, " kgs"};
    }
    if (unitWeight == "imperial") {
        return MassLayout{0, " lbs"};
    }
    if (unitWeight == "imperialtons2240") {
        return MassLayout{2, " tons\xC2\xB9"};
    }
    if (unitWeight == "imperialtons2000") {
        return MassLayout{2, " tons\xC2\xB2"};
    }
    return std::nullopt;
}

std::optional<float> finiteFloat(double value) {
    const auto narrowed = static_cast<float>(value);
    if (!std::isfinite(narrowed)) {
        return std::nullopt;
    }
    return narrowed;
}

} // namespace

std::span<const WeightMenuEntry> weightMenuEntries() {
    return kMenu;
}

std::string_view settingValueOf(WeightMenuItem item) {
    for (const WeightMenuEntry& entry : kMenu) {
        if (entry.item == item) {
            return entry.settingValue;
        }
    }
    return {};
}

UnitWeightChoice restoredUnitWeight(std::string_view stored) {
    if (stored.empty()) {
        return chosenUnitWeight(WeightMenuItem::ImperialTons2240);
    }
    for (const WeightMenuItem item : kRestoreOrder) {
        if (stored == settingValueOf(item)) {
            return chosenUnitWeight(item);
        }
    }
    return {std::string(stored), std::nullopt};
}

UnitWeightChoice chosenUnitWeight(WeightMenuItem item) {
    return {std::string(settingValueOf(item)), item};
}

std::array<bool, 4> checkMarks(std::optional<WeightMenuItem> checkedItem) {
    std::array<bool, 4> marks{};
    for (std::size_t i = 0; i < kMenu.size(); ++i) {
        marks[i] = checkedItem == kMenu[i].item;
    }
    return marks;
}

std::optional<float> convertMass(float storedMass, std::string_view unitWeight) {
    const double mass = storedMass;
    if (unitWeight == "metric") {
        return finiteFloat(mass * kKilogramsPerLongTon);
    }
    if (unitWeight == "imperial") {
        return finiteFloat(mass * static_cast<double>(kPoundsPerLongTon));
    }
    if (unitWeight == "imperialtons2240") {
        return finiteFloat(mass);
    }
    if (unitWeight == "imperialtons2000") {
        return finiteFloat(mass * kShortTonsPerLongTon);
    }
    return std::nullopt;
}

std::optional<std::string> formatMass(float convertedMass, std::string_view unitWeight,
                                      const QLocale& locale) {
    const std::optional<MassLayout> layout = layoutOf(unitWeight);
    if (!layout) {
        return std::nullopt;
    }
    std::optional<std::string> number = formatInLocale(convertedMass, layout->decimals, locale);
    if (!number) {
        return std::nullopt;
    }
    return *number + std::string(layout->suffix);
}

std::optional<std::string> formatMassTotal(double total, std::string_view unitWeight, const QLocale& locale) {
    const std::optional<MassLayout> layout = layoutOf(unitWeight);
    if (!layout) {
        return std::nullopt;
    }
    std::optional<std::string> number = formatWideInLocale(total, layout->decimals, locale);
    if (!number) {
        return std::nullopt;
    }
    return *number + std::string(layout->suffix);
}

std::string massCellText(std::string_view storedText, std::string_view unitWeight, const QLocale& locale) {
    const std::optional<float> mass = storedNumber(storedText);
    if (!mass) {
        return {};
    }
    const std::optional<float> converted = convertMass(*mass, unitWeight);
    if (!converted) {
        return {};
    }
    return formatMass(*converted, unitWeight, locale).value_or(std::string());
}

std::optional<float> storedNumber(std::string_view text) {
    if (!isNumberText(text)) {
        return std::nullopt;
    }
    // Read straight into 32 bits, so the value is the float nearest the text.
    float value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error == std::errc() && stop == end) {
        return finiteFloat(value);
    }
    // Out of float's range: a tiny number becomes zero, a huge one has no value.
    const std::optional<double> wide = parseNumberText(text);
    return wide ? finiteFloat(*wide) : std::nullopt;
}

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dovrel {

// The four items of Edit > Preferences > "Unit Weight", in menu order.
enum class WeightMenuItem { Imperial, ImperialTons2240, ImperialTons2000, Metric };

struct WeightMenuEntry {
    WeightMenuItem item;
    std::string_view objectName;   // "mnuImperial", ...
    std::string_view caption;      // "Imperial (pounds)", ... (UTF-8)
    std::string_view settingValue; // "imperial", ... as kept in `unitWeight` and "UnitMeasure"
};

// The four entries in menu order: mnuImperial, mnuImperialTons2240, mnuImperialTons2000, mnuMetric.
std::span<const WeightMenuEntry> weightMenuEntries();
std::string_view settingValueOf(WeightMenuItem item);

// `unitWeight` and the item that carries the check mark (none for a value that names no unit).
struct UnitWeightChoice {
    std::string unitWeight;
    std::optional<WeightMenuItem> checkedItem;
};

// The choice restored at start-up from the stored "UnitMeasure" text. Empty gives "imperialtons2240"
// (not written back); otherwise the first of "metric", "imperial", "imperialtons2240",
// "imperialtons2000" equal to it with its case; any other value stays as read with no item checked.
UnitWeightChoice restoredUnitWeight(std::string_view stored);

// A menu choice: that item checked and its value set (and written to "UnitMeasure" by the caller,
// every time, even when the item was already checked).
UnitWeightChoice chosenUnitWeight(WeightMenuItem item);

// The check marks of the four items in menu order.
std::array<bool, 4> checkMarks(std::optional<WeightMenuItem> checkedItem);

// A stored mass (long tons) in the unit `unitWeight` names: the product with 1016.0469088 ("metric"),
// 2240 ("imperial") or 1.12 ("imperialtons2000") computed in double and rounded to a 32-bit float;
// "imperialtons2240" keeps the value. Empty optional for any other unit or a result that is not finite.
std::optional<float> convertMass(float storedMass, std::string_view unitWeight);

// A converted mass in the unit's layout: 0 decimals and " kgs" or " lbs", or 2 decimals and " tons¹"
// or " tons²" (UTF-8). Empty optional for an unknown unit or a value that is not finite.
std::optional<std::string> formatMass(float convertedMass, std::string_view unitWeight,
                                      const QLocale& locale);

// A sum of converted masses in the same layout, from a 64-bit value.
std::optional<std::string> formatMassTotal(double total, std::string_view unitWeight, const QLocale& locale);

// A stored mass text as the details window shows it: read as a number, converted and formatted; empty
// when the text is not a number or the unit is unknown.
std::string massCellText(std::string_view storedText, std::string_view unitWeight, const QLocale& locale);

// A stored number text read as a 32-bit float; empty when it is not a number or out of float's range.
std::optional<float> storedNumber(std::string_view text);

} // namespace dovrel

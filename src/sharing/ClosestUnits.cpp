// SPDX-License-Identifier: GPL-3.0-or-later
#include "sharing/ClosestUnits.h"

#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace dovrel {

namespace {
// Names are compared by their first bytes only, so a hostile name costs no more than a long real one.
constexpr std::size_t kComparedBytes = 48;

bool fits(std::string_view record, RecordField field, std::string_view wanted) {
    return wanted.empty() || equalsIgnoringCase(recordFieldView(record, field), wanted);
}
} // namespace

std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const std::size_t substitution =
                diagonal + (asciiLower(a[i - 1]) == asciiLower(b[j - 1]) ? 0 : 1);
            row[j] = std::min({above + 1, row[j - 1] + 1, substitution});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::vector<std::string> closestInstalledUnits(const SharedUnit& unit,
                                               const std::vector<std::string>& catalogue, std::size_t count) {
    std::vector<std::pair<std::size_t, const std::string*>> candidates;
    for (const std::string& record : catalogue) {
        if (record.empty()) {
            break;
        }
        if (fits(record, RecordField::unitClass, unit.unitClass) &&
            fits(record, RecordField::frontCoupler, unit.frontCoupler) &&
            fits(record, RecordField::rearCoupler, unit.rearCoupler)) {
            const std::string_view name = recordFieldView(record, RecordField::englishName);
            candidates.emplace_back(editDistance(name.substr(0, kComparedBytes),
                                                 std::string_view(unit.name).substr(0, kComparedBytes)),
                                    &record);
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> closest;
    for (std::size_t i = 0; i < candidates.size() && i < count; ++i) {
        closest.push_back(*candidates[i].second);
    }
    return closest;
}

} // namespace dovrel

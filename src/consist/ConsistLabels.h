// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consist/LabelElement.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace dovrel {

// A press that lands on a unit body: the unit and the point inside its body, in twips.
struct BodyHit {
    std::int32_t unitIndex = 0;
    float x = 0.0f;
    float y = 0.0f;
};

// The four label sets of the consist line. Each starts with its template element 0 at its design
// geometry, parked at left -10000; new elements are copies of the template, created hidden and on top
// of everything. Bringing an element to the front takes constant time.
class ConsistLabels {
public:
    ConsistLabels();

    const std::vector<LabelElement>& elements(LabelSet set) const;
    const LabelElement* element(LabelSet set, std::size_t index) const;
    LabelElement* element(LabelSet set, std::size_t index);
    const LabelElement* element(LabelRef ref) const { return element(ref.set, ref.index); }
    std::size_t highestIndex(LabelSet set) const { return elements(set).size() - 1; }

    // Appends a copy of the template, hidden and above every element; returns its index.
    std::size_t createElement(LabelSet set);
    // Removes every element but the template.
    void removeElementsAboveTemplate(LabelSet set);
    void bringToFront(LabelSet set, std::size_t index);

    // The topmost visible element at the point (window twips), if any.
    std::optional<LabelRef> topmostAt(float x, float y) const;
    // The unit whose body is topmost at the point; nothing when a marker, caption, the frame or a
    // template lies on top, or nothing is there.
    std::optional<BodyHit> unitBodyAt(float x, float y) const;
    // Every element, lowest first: the order to paint them in.
    std::vector<LabelRef> stackingOrder() const;

private:
    std::vector<LabelElement>& mutableElements(LabelSet set);

    std::array<std::vector<LabelElement>, 4> sets_;
    std::uint64_t topStacking_ = 0;
};

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/ConsistLabels.h"

#include <algorithm>

namespace dovrel {

namespace {

std::size_t slotOf(LabelSet set) {
    return static_cast<std::size_t>(set);
}

// The design-time templates, parked out of sight.
LabelElement templateFor(LabelSet set) {
    LabelElement element;
    element.left = kHiddenLeft;
    switch (set) {
    case LabelSet::Label1:
        element.top = 1080.0f;
        element.width = 1455.0f;
        element.height = 375.0f;
        element.background = {0x00800000u};
        element.foreground = {0x00E0E0E0u};
        element.font = {"Small Fonts", 6.75f};
        break;
    case LabelSet::Label2:
        element.top = 1080.0f;
        element.width = 60.0f;
        element.height = 375.0f;
        element.background = {0x0000FFFFu};
        break;
    case LabelSet::Label28:
        element.top = 1590.0f;
        element.width = 1455.0f;
        element.height = 180.0f;
        element.background = {0x00A0A0A0u};
        element.foreground = {0x00000000u};
        element.font = {"Lucida Console", 8.25f};
        element.opaque = false;
        break;
    case LabelSet::Label3:
        element.top = 1020.0f;
        element.width = 1695.0f;
        element.height = 495.0f;
        element.background = {0x000080FFu};
        break;
    }
    return element;
}

} // namespace

const char* labelSetName(LabelSet set) {
    switch (set) {
    case LabelSet::Label2:
        return "Label2";
    case LabelSet::Label28:
        return "Label28";
    case LabelSet::Label3:
        return "Label3";
    case LabelSet::Label1:
        break;
    }
    return "Label1";
}

ConsistLabels::ConsistLabels() {
    for (const LabelSet set : kAllLabelSets) {
        LabelElement element = templateFor(set);
        element.stacking = ++topStacking_;
        mutableElements(set).push_back(std::move(element));
    }
}

const std::vector<LabelElement>& ConsistLabels::elements(LabelSet set) const {
    return sets_[slotOf(set)];
}

std::vector<LabelElement>& ConsistLabels::mutableElements(LabelSet set) {
    return sets_[slotOf(set)];
}

const LabelElement* ConsistLabels::element(LabelSet set, std::size_t index) const {
    const auto& elements = sets_[slotOf(set)];
    return index < elements.size() ? &elements[index] : nullptr;
}

LabelElement* ConsistLabels::element(LabelSet set, std::size_t index) {
    auto& elements = sets_[slotOf(set)];
    return index < elements.size() ? &elements[index] : nullptr;
}

std::size_t ConsistLabels::createElement(LabelSet set) {
    auto& elements = mutableElements(set);
    LabelElement copy = elements.front();
    copy.visible = false;
    copy.stacking = ++topStacking_;
    elements.push_back(std::move(copy));
    return elements.size() - 1;
}

void ConsistLabels::removeElementsAboveTemplate(LabelSet set) {
    mutableElements(set).resize(1);
}

void ConsistLabels::bringToFront(LabelSet set, std::size_t index) {
    if (LabelElement* target = element(set, index)) {
        target->stacking = ++topStacking_;
    }
}

std::optional<LabelRef> ConsistLabels::topmostAt(float x, float y) const {
    std::optional<LabelRef> topmost;
    std::uint64_t topStacking = 0;
    for (const LabelSet set : kAllLabelSets) {
        const auto& elements = this->elements(set);
        for (std::size_t i = 0; i < elements.size(); ++i) {
            const LabelElement& candidate = elements[i];
            if (candidate.visible && candidate.contains(x, y) &&
                (!topmost || candidate.stacking > topStacking)) {
                topmost = LabelRef{set, i};
                topStacking = candidate.stacking;
            }
        }
    }
    return topmost;
}

std::optional<BodyHit> ConsistLabels::unitBodyAt(float x, float y) const {
    const std::optional<LabelRef> topmost = topmostAt(x, y);
    if (!topmost || topmost->set != LabelSet::Label1 || topmost->index == 0) {
        return std::nullopt;
    }
    const LabelElement& body = *element(*topmost);
    return BodyHit{static_cast<std::int32_t>(topmost->index) - 1, x - body.left, y - body.top};
}

std::vector<LabelRef> ConsistLabels::stackingOrder() const {
    std::vector<LabelRef> order;
    for (const LabelSet set : kAllLabelSets) {
        for (std::size_t i = 0; i < elements(set).size(); ++i) {
            order.push_back({set, i});
        }
    }
    std::ranges::sort(order, [this](const LabelRef& a, const LabelRef& b) {
        return element(a)->stacking < element(b)->stacking;
    });
    return order;
}

} // namespace dovrel

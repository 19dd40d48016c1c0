// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/ConsistDisplay.h"

#include "catalogue/EquipmentRecord.h"
#include "consist/CatalogueLookup.h"
#include "consist/ConsistHost.h"
#include "consist/ConsistLine.h"
#include "consist/ConsistUnit.h"
#include "consist/CouplerLetters.h"

#include <algorithm>

namespace dovrel {

namespace {

constexpr float kMarkerOverlap = 15.0f;
constexpr float kFrameMargin = 120.0f;

std::size_t elementFor(std::int32_t unit) {
    return static_cast<std::size_t>(unit) + 1;
}

} // namespace

ConsistDisplay::ConsistDisplay(ConsistLine& line, ConsistHost& host) : line_(line), host_(host) {
    // The sizes are taken once from the templates.
    unitWidth_ = labels_.element(LabelSet::Label1, 0)->width;
    markerWidth_ = labels_.element(LabelSet::Label2, 0)->width;
    unitPitch_ = unitWidth_ + kUnitGap;
}

LabelElement* ConsistDisplay::mutableElement(LabelSet set, std::int32_t index) {
    if (index < 0) {
        return nullptr;
    }
    return labels_.element(set, static_cast<std::size_t>(index));
}

const LabelElement* ConsistDisplay::bodyOf(std::int32_t unit) const {
    if (unit < 0) {
        return nullptr;
    }
    return labels_.element(LabelSet::Label1, elementFor(unit));
}

void ConsistDisplay::updateCommandAvailability() {
    host_.updateCommandAvailability();
}

// A forward unit carries its marker on its left end, a reversed one on its right end; the marker
// overlaps the body by 15 twips.
void ConsistDisplay::placeMarker(LabelElement& marker, const LabelElement& body, bool forward) const {
    marker.left =
        forward ? body.left - markerWidth_ + kMarkerOverlap : body.left + unitWidth_ - kMarkerOverlap;
}

void ConsistDisplay::redrawConsistLine(std::int32_t anchor) {
    drawUnits(anchorLeft_ - static_cast<float>(anchor) * (unitWidth_ + kUnitGap));
    panel_.unitCountBox = std::to_string(line_.unitCount());
    anchorIndex_ = anchor;
    updateCommandAvailability();
}

void ConsistDisplay::drawUnits(float firstLeft) {
    removeUnitLabels();
    const std::int32_t count = line_.unitCount();
    for (std::int32_t i = 0; i < count; ++i) {
        labels_.createElement(LabelSet::Label1);
        labels_.createElement(LabelSet::Label2);
        labels_.createElement(LabelSet::Label28);
    }
    firstUnitLeft_ = firstLeft;

    CouplerLetterPass letters(host_.couplerCaptions());
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string& unit = line_.unit(i);
        const bool forward = isForward(unit);

        LabelElement& body = *mutableElement(LabelSet::Label1, i + 1);
        body.left = firstUnitLeft_ + unitPitch_ * static_cast<float>(i);
        body.caption = std::string(unitFieldView(unit, RecordField::englishName));
        body.visible = true;

        LabelElement& marker = *mutableElement(LabelSet::Label2, i + 1);
        placeMarker(marker, body, forward);
        marker.visible = true;

        LabelElement& caption = *mutableElement(LabelSet::Label28, i + 1);
        caption.left = body.left;
        caption.caption =
            letters.captionFor(unitFieldView(unit, RecordField::frontCouplingId),
                               unitFieldView(unit, RecordField::rearCouplingId), forward, i + 1);
        caption.visible = true;
        caption.opaque = false;
    }
}

void ConsistDisplay::refreshConsistLine() {
    if (refreshBusy_) {
        return;
    }
    refreshBusy_ = true;
    CouplerLetterPass letters(host_.couplerCaptions());
    for (std::int32_t i = 0; i < line_.unitCount(); ++i) {
        LabelElement* body = mutableElement(LabelSet::Label1, i + 1);
        LabelElement* marker = mutableElement(LabelSet::Label2, i + 1);
        LabelElement* caption = mutableElement(LabelSet::Label28, i + 1);
        if (body == nullptr || marker == nullptr || caption == nullptr) {
            break; // only drawn units can be rewritten
        }
        const std::string& unit = line_.unit(i);
        const bool forward = isForward(unit);
        body->caption = std::string(unitFieldView(unit, RecordField::englishName));
        placeMarker(*marker, *body, forward);
        caption->caption =
            letters.captionFor(unitFieldView(unit, RecordField::frontCouplingId),
                               unitFieldView(unit, RecordField::rearCouplingId), forward, i + 1);
        caption->opaque = false;
    }
    refreshBusy_ = false;
    updateCommandAvailability();
}

void ConsistDisplay::raiseUnitLabels() {
    for (std::size_t i = 1; i <= labels_.highestIndex(LabelSet::Label1); ++i) {
        labels_.bringToFront(LabelSet::Label1, i);
        labels_.bringToFront(LabelSet::Label2, i);
    }
}

void ConsistDisplay::selectUnit(std::int32_t index) {
    if (index == -1) {
        return;
    }
    const LabelElement* body = bodyOf(index);
    if (body == nullptr) {
        return; // not a drawn unit: nothing to select
    }
    labels_.element(LabelSet::Label3, 0)->left = body->left - kFrameMargin;
    labels_.bringToFront(LabelSet::Label3, 0);
    labels_.bringToFront(LabelSet::Label1, elementFor(index));
    labels_.bringToFront(LabelSet::Label2, elementFor(index));
    if (LabelElement* caption = mutableElement(LabelSet::Label28, index + 1)) {
        caption->opaque = true;
    }
    line_.setSelectedIndex(index);
    showSelectedCouplings(index + 1);
    updateCommandAvailability();
}

void ConsistDisplay::deselectUnit() {
    labels_.element(LabelSet::Label3, 0)->left = kHiddenLeft;
    line_.setSelectedIndex(-1);
    updateCommandAvailability();
}

void ConsistDisplay::makeCaptionsTransparent() {
    for (std::size_t i = 1; i <= labels_.highestIndex(LabelSet::Label28); ++i) {
        labels_.element(LabelSet::Label28, i)->opaque = false;
    }
}

void ConsistDisplay::highlightInPlace(std::int32_t unit, bool showCouplings) {
    const LabelElement* body = bodyOf(unit);
    if (body == nullptr) {
        return;
    }
    labels_.element(LabelSet::Label3, 0)->left = body->left - kFrameMargin;
    labels_.bringToFront(LabelSet::Label3, 0);
    labels_.bringToFront(LabelSet::Label1, elementFor(unit));
    labels_.bringToFront(LabelSet::Label2, elementFor(unit));
    line_.setSelectedIndex(unit);
    makeCaptionsTransparent();
    if (LabelElement* caption = mutableElement(LabelSet::Label28, unit + 1)) {
        caption->opaque = true;
    }
    if (showCouplings) {
        showSelectedCouplings(unit + 1);
    }
    updateCommandAvailability();
}

// A front coupling "*" shows "?", a rear one "*"; a name missing from the catalogue leaves "?" in both.
void ConsistDisplay::showSelectedCouplings(std::int32_t labelIndex) {
    const LabelElement* body = mutableElement(LabelSet::Label1, labelIndex);
    if (body == nullptr) {
        return;
    }
    panel_.frontCouplingBox = "?";
    panel_.rearCouplingBox = "?";
    const std::int32_t unit = labelIndex - 1;
    const std::string_view own =
        unit >= 0 && unit < line_.unitCount() ? recordOfUnit(line_.unit(unit)) : std::string_view();
    const std::optional<std::string> record = pickedRecords_.contains(own)
                                                  ? std::optional<std::string>(own)
                                                  : findRecordExactly(host_.catalogue(), body->caption);
    if (!record) {
        return;
    }
    const EquipmentRecord fields(*record);
    const std::string_view front = fields.field(RecordField::frontCouplingId);
    const std::string_view rear = fields.field(RecordField::rearCouplingId);
    panel_.frontCouplingBox = front != "*" ? shortCouplerName(front) : "?";
    panel_.rearCouplingBox = rear != "*" ? shortCouplerName(rear) : "*";
}

void ConsistDisplay::rememberPickedRecord(std::string_view record) {
    pickedRecords_.emplace(record);
}

void ConsistDisplay::markUnitAsNew(std::int32_t unit) {
    if (LabelElement* caption = mutableElement(LabelSet::Label28, unit + 1)) {
        caption->caption = markedAsNew(caption->caption);
    }
}

void ConsistDisplay::viewStep(std::int32_t value) {
    const std::int64_t anchor = anchorIndex_;
    if (value > scrollReference_) {
        scrollReference_ = value;
        if (anchor + 1 <= static_cast<std::int64_t>(line_.unitCount()) - 1) {
            anchorLeft_ = kCentredLeft;
            redrawConsistLine(anchorIndex_ + 1);
            raiseUnitLabels();
            selectUnit(line_.selectedIndex());
        }
        return;
    }
    scrollReference_ = value;
    if (anchor - 1 >= 0) {
        anchorLeft_ = kCentredLeft;
        redrawConsistLine(anchorIndex_ - 1);
        raiseUnitLabels();
        selectUnit(line_.selectedIndex());
    }
}

void ConsistDisplay::scrollBarMoved(std::int32_t value) {
    scrollBarValue_ = std::clamp(value, 0, kScrollMaximum);
    viewStep(scrollBarValue_);
}

void ConsistDisplay::setScrollBarValue(std::int32_t value) {
    const std::int32_t bounded = std::clamp(value, 0, kScrollMaximum);
    if (bounded == scrollBarValue_) {
        return;
    }
    scrollBarValue_ = bounded;
    viewStep(bounded);
}

void ConsistDisplay::removeUnitLabels() {
    labels_.removeElementsAboveTemplate(LabelSet::Label1);
    labels_.removeElementsAboveTemplate(LabelSet::Label2);
    labels_.removeElementsAboveTemplate(LabelSet::Label28);
}

DisplayState ConsistDisplay::capture() const {
    DisplayState state;
    state.selectedIndex = line_.selectedIndex();
    state.anchorIndex = anchorIndex_;
    state.anchorLeft = anchorLeft_;
    state.firstUnitLeft = firstUnitLeft_;
    state.scrollReference = scrollReference_;
    state.scrollBarValue = scrollBarValue_;
    state.frameLeft = labels_.element(LabelSet::Label3, 0)->left;
    const std::vector<LabelElement>& captions = labels_.elements(LabelSet::Label28);
    for (std::size_t i = 1; i < captions.size(); ++i) {
        const auto unit = static_cast<std::int32_t>(i - 1);
        if (captions[i].opaque) {
            state.opaqueCaptions.push_back(unit);
        }
        if (isMarkedAsNew(captions[i].caption)) {
            state.newMarks.push_back(unit);
        }
    }
    state.panel = panel_;
    return state;
}

void ConsistDisplay::restore(const DisplayState& state) {
    drawUnits(state.firstUnitLeft);
    anchorIndex_ = state.anchorIndex;
    anchorLeft_ = state.anchorLeft;
    scrollReference_ = state.scrollReference;
    scrollBarValue_ = state.scrollBarValue;
    raiseUnitLabels();
    line_.setSelectedIndex(state.selectedIndex);
    labels_.element(LabelSet::Label3, 0)->left = state.frameLeft;
    if (state.selectedIndex != -1 && state.frameLeft != kHiddenLeft &&
        bodyOf(state.selectedIndex) != nullptr) {
        labels_.bringToFront(LabelSet::Label3, 0);
        labels_.bringToFront(LabelSet::Label1, elementFor(state.selectedIndex));
        labels_.bringToFront(LabelSet::Label2, elementFor(state.selectedIndex));
    }
    for (const std::int32_t unit : state.opaqueCaptions) {
        if (LabelElement* caption = mutableElement(LabelSet::Label28, unit + 1)) {
            caption->opaque = true;
        }
    }
    for (const std::int32_t unit : state.newMarks) {
        markUnitAsNew(unit);
    }
    const std::string name = panel_.consistName;
    panel_ = state.panel;
    panel_.consistName = name;
    updateCommandAvailability();
}

void ConsistDisplay::hideTemplates() {
    for (const LabelSet set : kAllLabelSets) {
        labels_.element(set, 0)->left = kHiddenLeft;
    }
}

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consist/ConsistLabels.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

class ConsistHost;
class ConsistLine;

// The texts of the panel's other displays that belong to the consist line.
struct ConsistPanelTexts {
    std::string unitCountBox;     // Label10
    std::string frontCouplingBox; // Label25
    std::string rearCouplingBox;  // Label6
    std::string consistName;      // Text1
    bool operator==(const ConsistPanelTexts&) const = default;
};

// The drawn line between two commands, beyond the units themselves: the selection, the view, the
// frame, which captions are highlighted or carry the new mark, and the panel's texts. Enough to draw
// the line again as it stood.
struct DisplayState {
    std::int32_t selectedIndex = -1;
    std::int32_t anchorIndex = 0;
    float anchorLeft = 0.0f;
    float firstUnitLeft = 0.0f;
    std::int32_t scrollReference = 0;
    std::int32_t scrollBarValue = 0;
    float frameLeft = 0.0f;
    std::vector<std::int32_t> opaqueCaptions; // units whose caption is opaque
    std::vector<std::int32_t> newMarks;       // units whose caption shows the new mark
    ConsistPanelTexts panel;
    bool operator==(const DisplayState&) const = default;
};

// The consist line as drawn: the four label sets, the view's state (`anchorIndex`, `anchorLeft`,
// `firstUnitLeft`, `scrollReference`, the label sizes) and the procedures that draw the line, move the
// view and show the selection. It reads the line and sets its selection; it never changes units.
class ConsistDisplay {
public:
    static constexpr float kCentredLeft = 6180.0f; // the anchor unit's body centred in the window
    static constexpr std::int32_t kScrollMiddle = 16384;
    static constexpr std::int32_t kScrollMaximum = 32767;
    static constexpr float kUnitGap = 180.0f;

    ConsistDisplay(ConsistLine& line, ConsistHost& host);

    std::int32_t anchorIndex() const { return anchorIndex_; }
    float anchorLeft() const { return anchorLeft_; }
    void setAnchorLeft(float left) { anchorLeft_ = left; }
    float firstUnitLeft() const { return firstUnitLeft_; }
    std::int32_t scrollReference() const { return scrollReference_; }
    void setScrollReference(std::int32_t value) { scrollReference_ = value; }
    // HScroll2's value as the editor last set or saw it.
    std::int32_t scrollBarValue() const { return scrollBarValue_; }
    float unitWidth() const { return unitWidth_; }
    float markerWidth() const { return markerWidth_; }
    float unitPitch() const { return unitPitch_; }
    bool refreshBusy() const { return refreshBusy_; }

    const ConsistLabels& labels() const { return labels_; }
    const ConsistPanelTexts& panelTexts() const { return panel_; }
    ConsistPanelTexts& panelTexts() { return panel_; }

    // The body of a unit, if it is drawn.
    const LabelElement* bodyOf(std::int32_t unit) const;

    // Rebuilds every label; the anchor unit's body is drawn at `anchorLeft`. Any anchor is allowed.
    void redrawConsistLine(std::int32_t anchor);
    // Rewrites names, front markers and captions in place; every caption becomes transparent.
    void refreshConsistLine();
    // Body i then front marker i to the front, for every unit in line order.
    void raiseUnitLabels();
    // Puts the frame behind the unit, highlights its caption, selects it and shows its couplings;
    // -1 does nothing at all.
    void selectUnit(std::int32_t index);
    void deselectUnit();
    // Selects a unit where it stands: frame, body and marker to the front, only its caption opaque.
    // With showCouplings the coupling boxes show it too (a click does; a shift keeps the same vehicle).
    void highlightInPlace(std::int32_t unit, bool showCouplings);
    // Fills the coupling boxes for the unit shown by body label labelIndex.
    void showSelectedCouplings(std::int32_t labelIndex);
    // A record the user picked by its own list item (a found name that several records carry). The
    // coupling boxes of a unit with that record show the record itself rather than the first record
    // of its name. Forgotten when the catalogue changes.
    void rememberPickedRecord(std::string_view record);
    void forgetPickedRecords() { pickedRecords_.clear(); }
    // Shows " [NEW] " in the unit's caption in place of its position.
    void markUnitAsNew(std::int32_t unit);

    // The change handler of HScroll2: one unit towards the tail when the value grew, towards the head
    // otherwise, with the new anchor centred.
    void viewStep(std::int32_t value);
    // The user moved HScroll2 to value.
    void scrollBarMoved(std::int32_t value);
    // The program sets HScroll2's value; the change handler runs when the value changes.
    void setScrollBarValue(std::int32_t value);

    // The steps that empty the drawn line.
    void removeUnitLabels();
    void hideTemplates();

    // The drawn line as it stands, and the line drawn again as a state describes it (for the line's
    // units as they are now). Restoring keeps the consist name and recomputes command availability.
    DisplayState capture() const;
    void restore(const DisplayState& state);

private:
    // Creates the labels of every unit and draws unit 0's body at firstLeft.
    void drawUnits(float firstLeft);
    LabelElement* mutableElement(LabelSet set, std::int32_t index);
    void placeMarker(LabelElement& marker, const LabelElement& body, bool forward) const;
    void makeCaptionsTransparent();
    void updateCommandAvailability();

    ConsistLine& line_;
    ConsistHost& host_;
    ConsistLabels labels_;
    ConsistPanelTexts panel_;
    std::set<std::string, std::less<>> pickedRecords_;

    std::int32_t anchorIndex_ = 0;
    float anchorLeft_ = kCentredLeft;
    float firstUnitLeft_ = 0.0f;
    std::int32_t scrollReference_ = kScrollMiddle;
    std::int32_t scrollBarValue_ = kScrollMiddle;
    float unitWidth_ = 0.0f;
    float markerWidth_ = 0.0f;
    float unitPitch_ = 0.0f;
    bool refreshBusy_ = false;
};

} // namespace dovrel

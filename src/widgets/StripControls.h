// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consist/ConsistLabels.h"
#include "widgets/NamedControls.h"

#include <functional>

namespace dovrel {

class ConsistStrip;

// One painted element of the consist line as a control: "Label1[3]", "Label3[0]".
class StripElementControl final : public NamedControl {
public:
    // A press at window client twips with one of the mouse buttons.
    using Press = std::function<void(PressButton button, float x, float y)>;

    StripElementControl(const ConsistLabels& labels, LabelRef ref, const ConsistStrip& strip, Press press)
        : labels_(labels), ref_(ref), strip_(strip), press_(std::move(press)) {}

    ControlKind kind() const override { return ControlKind::Label; }
    std::string text() const override;
    bool enabled() const override { return true; }
    bool visible() const override;
    bool reachable() const override;
    std::optional<TwipsRect> geometry() const override;
    // X and Y are twips inside the element.
    bool press(PressButton button, float x, float y) override;

private:
    const ConsistLabels& labels_;
    LabelRef ref_;
    const ConsistStrip& strip_;
    Press press_;
};

// Registers the four label sets; their elements are reached as they are at each look-up.
void registerStripElements(NamedControls& registry, const ConsistLabels& labels, const ConsistStrip& strip,
                           const StripElementControl::Press& press);

} // namespace dovrel

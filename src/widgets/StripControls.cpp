// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/StripControls.h"

#include "widgets/ConsistStrip.h"

#include <string>

namespace dovrel {

std::string StripElementControl::text() const {
    const LabelElement* element = labels_.element(ref_);
    return element == nullptr ? std::string() : element->caption;
}

bool StripElementControl::visible() const {
    const LabelElement* element = labels_.element(ref_);
    return element != nullptr && element->visible;
}

bool StripElementControl::reachable() const {
    if (!visible()) {
        return false;
    }
    for (const QWidget* current = &strip_; current != nullptr; current = current->parentWidget()) {
        if (current->isHidden()) {
            return false;
        }
    }
    return true;
}

std::optional<TwipsRect> StripElementControl::geometry() const {
    const LabelElement* element = labels_.element(ref_);
    if (element == nullptr) {
        return std::nullopt;
    }
    return TwipsRect{element->left, element->top, element->width, element->height};
}

bool StripElementControl::press(PressButton button, float x, float y) {
    const LabelElement* element = labels_.element(ref_);
    if (element == nullptr || !press_) {
        return false;
    }
    press_(button, element->left + x, element->top + y);
    return true;
}

namespace {
class StripLabelSet final : public ControlSet {
public:
    StripLabelSet(const ConsistLabels& labels, LabelSet set, const ConsistStrip& strip,
                  StripElementControl::Press press)
        : labels_(labels), set_(set), strip_(strip), press_(std::move(press)) {}

    std::size_t size() const override { return labels_.elements(set_).size(); }
    std::unique_ptr<NamedControl> element(std::size_t index) const override {
        return std::make_unique<StripElementControl>(labels_, LabelRef{set_, index}, strip_, press_);
    }

private:
    const ConsistLabels& labels_;
    LabelSet set_;
    const ConsistStrip& strip_;
    StripElementControl::Press press_;
};
} // namespace

void registerStripElements(NamedControls& registry, const ConsistLabels& labels, const ConsistStrip& strip,
                           const StripElementControl::Press& press) {
    for (const LabelSet set : kAllLabelSets) {
        registry.addSet(labelSetName(set), std::make_unique<StripLabelSet>(labels, set, strip, press));
    }
}

} // namespace dovrel

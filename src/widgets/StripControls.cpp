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

void registerStripElements(NamedControls& registry, const ConsistLabels& labels, const ConsistStrip& strip,
                           const StripElementControl::Press& press) {
    for (const LabelSet set : kAllLabelSets) {
        const std::string prefix = std::string(labelSetName(set)) + "[";
        registry.removeWithPrefix(prefix);
        for (std::size_t i = 0; i < labels.elements(set).size(); ++i) {
            registry.add(prefix + std::to_string(i) + "]",
                         std::make_unique<StripElementControl>(labels, LabelRef{set, i}, strip, press));
        }
    }
}

} // namespace dovrel

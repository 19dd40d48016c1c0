#pragma once

#include "consist/CommandStates.h"
#include "consist/ConsistEditor.h"
#include "consist/ConsistHost.h"
#include "platform/doubles/QueuedMessageBoxes.h"

#include <map>
#include <string>
#include <vector>

namespace dovrel::testing {

// A catalogue record with the fields the consist editor reads; the rest are filled with plain values.
std::string catalogueRecord(const std::string& name, const std::string& frontCoupling,
                            const std::string& rearCoupling, const std::string& provider = "Acme");

// Plays Form1's part: holds a catalogue and coupler boxes, and applies computeCommandStates to a map
// of enabled flags whenever the editor asks for it.
class TestHost final : public ConsistHost {
public:
    std::vector<std::string> catalogue;
    std::vector<std::string> couplers;
    std::map<std::string, bool, std::less<>> enabled;
    int availabilityUpdates = 0;
    std::vector<PixelPoint> pointerMoves;
    float windowLeft = 0.0f;
    float windowTop = 0.0f;
    bool locoChosen = false;
    bool wagonChosen = false;
    const ConsistEditor* editor = nullptr;

    std::span<const std::string> catalogueSlots() const override { return catalogue; }
    std::span<const std::string> couplerCaptions() const override { return couplers; }
    void updateCommandAvailability() override;
    void disableCommands(std::span<const std::string_view> controls) override;
    float windowLeftTwips() const override { return windowLeft; }
    float windowTopTwips() const override { return windowTop; }
    void movePointer(PixelPoint point) override { pointerMoves.push_back(point); }

    bool isEnabled(std::string_view control) const;
};

// An editor with its host and message boxes, the catalogue holding units named "U0" to "U<n-1>" and
// the coupler boxes "A Buffer", "B Chain", "C Knuckle".
struct EditorFixture {
    QueuedMessageBoxes messages;
    TestHost host;
    ConsistEditor editor{messages, host};

    explicit EditorFixture(int catalogueUnits = 20);

    // Adds the named catalogue unit to the right of the selection (or starts the line).
    void addRight(const std::string& name);
    // A line of units "U0" ... "U<count-1>" in that order, unit 0 selected; then the selection is
    // moved to `selected` by a click (or cleared for -1).
    void buildLine(int count, int selected = 0);
    // The unit names in line order, each followed by "<" when reversed.
    std::vector<std::string> names() const;
    std::string namesText() const;
    // Texts of the messages shown so far.
    std::vector<std::string> messageTexts() const;
    float bodyLeft(int unit) const;
    const LabelElement& element(LabelSet set, int index) const;
};

} // namespace dovrel::testing

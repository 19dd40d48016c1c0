#pragma once

#include "consist/CommandStates.h"
#include "consist/ConsistEditor.h"
#include "consist/ConsistHost.h"
#include "platform/doubles/QueuedMessageBoxes.h"

#include <map>
#include <string>
#include <vector>

namespace dovrel::testing {

// A catalogue record with the name and the coupling IDs the consist editor reads; other fields plain.
std::string catalogueRecord(const std::string& name, const std::string& frontCoupling,
                            const std::string& rearCoupling);

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
    const ConsistEditor* editor = nullptr;

    std::span<const std::string> catalogueSlots() const override { return catalogue; }
    std::span<const std::string> couplerCaptions() const override { return couplers; }
    void updateCommandAvailability() override;
    void disableCommands(std::span<const std::string_view> controls) override {
        for (const std::string_view control : controls) {
            enabled[std::string(control)] = false;
        }
    }
    float windowLeftTwips() const override { return windowLeft; }
    float windowTopTwips() const override { return windowTop; }
    void movePointer(PixelPoint point) override { pointerMoves.push_back(point); }

    bool isEnabled(std::string_view control) const {
        const auto found = enabled.find(control);
        return found != enabled.end() && found->second;
    }
};

// An editor with its host and message boxes. The catalogue holds units "U0" to "U<n-1>"; unit i has
// the front coupler of box i % 3 and the rear one of box (i + 1) % 3 of "A Buffer", "B Chain",
// "C Knuckle".
struct EditorFixture {
    QueuedMessageBoxes messages;
    TestHost host;
    ConsistEditor editor{messages, host};

    explicit EditorFixture(int catalogueUnits = 20);

    // A line of units "U0" ... "U<count-1>" added one by one to the right of the last, then the
    // selection moved to `selected` by a click (or cleared by a background click for -1).
    void buildLine(int count, int selected = 0);
    // Puts units into the line directly ("U3<" is U3 reversed), selection -1, and draws them centred
    // on the first unless `draw` is false.
    void putUnits(const std::vector<std::string>& names, bool draw = true);
    void click(int unit, int button = 1) { editor.navigation().pressUnitBody(unit, button, 10.0f, 10.0f, 0); }

    int selected() const { return editor.line().selectedIndex(); }
    // "U0 U1< U2": the unit names in line order, "<" after a reversed one.
    std::string names() const;
    const ConsistDisplay& display() const { return editor.display(); }
    ConsistPanelTexts& panel() { return editor.display().panelTexts(); }
    const LabelElement& element(LabelSet set, int index) const;
    float bodyLeft(int unit) const { return element(LabelSet::Label1, unit + 1).left; }
    std::vector<float> bodyLefts() const;
    float frameLeft() const { return element(LabelSet::Label3, 0).left; }
    std::string caption(int unit) const { return element(LabelSet::Label28, unit + 1).caption; }
    // The units whose captions are drawn opaque.
    std::vector<int> opaqueCaptions() const;
    // Checks that the labels draw the line's units: a body per unit one pitch apart from
    // firstUnitLeft showing its name, its marker at the end its heading puts in front, and its
    // caption with the letters of the couplers at its left and right ends (the new mark on
    // `markedUnit`), and the frame behind the selected unit. Only for units from this fixture's
    // catalogue.
    void expectDrawnAsTheLine(int markedUnit = -1) const;
};

} // namespace dovrel::testing

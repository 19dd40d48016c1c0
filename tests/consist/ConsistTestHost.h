// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ConsistPrinters.h"
#include "consist/CommandStates.h"
#include "consist/ConsistEditor.h"
#include "consist/ConsistHost.h"
#include "platform/doubles/QueuedMessageBoxes.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace dovrel::testing {

// A catalogue record with the name and the coupling IDs the consist editor reads; other fields plain.
std::string catalogueRecord(const std::string& name, const std::string& frontCoupling,
                            const std::string& rearCoupling);

// Plays the window: a catalogue, coupler boxes, and command states recomputed when the editor asks.
class TestHost final : public ConsistHost {
public:
    std::vector<std::string> slots; // the catalogue's, from slot 0
    std::vector<std::string> couplers;
    std::map<std::string, bool, std::less<>> enabled;
    int availabilityUpdates = 0;
    std::vector<PixelPoint> pointerMoves;
    const ConsistEditor* editor = nullptr;

    // The catalogue of the slots, made again when they change.
    const Catalogue& catalogue() const override;
    std::span<const std::string> couplerCaptions() const override { return couplers; }
    void updateCommandAvailability() override;
    void disableCommands(std::span<const std::string_view> controls) override {
        for (const std::string_view control : controls) {
            enabled[std::string(control)] = false;
        }
    }
    float windowLeftTwips() const override { return 0.0f; }
    float windowTopTwips() const override { return 0.0f; }
    void movePointer(PixelPoint point) override { pointerMoves.push_back(point); }

    bool isEnabled(std::string_view control) const {
        const auto found = enabled.find(control);
        return found != enabled.end() && found->second;
    }

private:
    mutable Catalogue catalogue_;
    mutable std::vector<std::string> catalogueSlots_;
};

// An editor with its host; unit "Ui" couples box i % 3 in front, (i + 1) % 3 behind (A, B, C).
struct EditorFixture {
    QueuedMessageBoxes messages;
    TestHost host;
    ConsistEditor editor;

    // historyBytes bounds the editor's history.
    explicit EditorFixture(int catalogueUnits = 20,
                           std::size_t historyBytes = EditHistory::kDefaultByteLimit);

    // Adds U0 ... U<count-1> one by one on the right, then clicks `selected` (-1: the background).
    void buildLine(int count, int selected = 0);
    void click(int unit, int button = 1) { editor.navigation().pressUnitBody(unit, button, 10.0f, 10.0f, 0); }

    int selected() const { return editor.line().selectedIndex(); }
    // "U0 U1< U2": names in line order, "<" after a reversed unit.
    std::string names() const;
    const ConsistDisplay& display() const { return editor.display(); }
    ConsistPanelTexts& panel() { return editor.display().panelTexts(); }
    const LabelElement& element(LabelSet set, int index) const;
    float bodyLeft(int unit) const { return element(LabelSet::Label1, unit + 1).left; }
    std::string caption(int unit) const { return element(LabelSet::Label28, unit + 1).caption; }
    std::vector<int> opaqueCaptions() const;
    // Bodies a pitch apart with names, markers in front, captions (new mark on `markedUnit`), frame.
    void expectDrawnAsTheLine(int markedUnit = -1) const;
};

} // namespace dovrel::testing

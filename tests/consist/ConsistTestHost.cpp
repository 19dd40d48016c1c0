// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsistTestHost.h"

#include "consist/ConsistUnit.h"

#include <array>
#include <gtest/gtest.h>

namespace dovrel::testing {

std::string catalogueRecord(const std::string& name, const std::string& frontCoupling,
                            const std::string& rearCoupling) {
    std::array<std::string, kRecordFieldCount> fields;
    fields.fill("0");
    fields[static_cast<std::size_t>(RecordField::englishName)] = name;
    fields[static_cast<std::size_t>(RecordField::frontCouplingId)] = frontCoupling;
    fields[static_cast<std::size_t>(RecordField::rearCouplingId)] = rearCoupling;
    return EquipmentRecord::join(fields);
}

const Catalogue& TestHost::catalogue() const {
    if (catalogueSlots_ != slots) {
        catalogueSlots_ = slots;
        catalogue_ = Catalogue::fromSlots(slots);
    }
    return catalogue_;
}

void TestHost::updateCommandAvailability() {
    ++availabilityUpdates;
    const CommandInputs inputs{.unitCount = editor != nullptr ? editor->line().unitCount() : 0,
                               .selectedIndex = editor != nullptr ? editor->line().selectedIndex() : -1,
                               .locoEntryCount = 3,
                               .wagonEntryCount = 3,
                               .viewScrollEnabled = isEnabled("HScroll2")};
    for (const CommandState& state : computeCommandStates(inputs).inOrder()) {
        enabled[std::string(state.control)] = state.enabled;
    }
}

EditorFixture::EditorFixture(int catalogueUnits, std::size_t historyBytes)
    : editor(messages, host, historyBytes) {
    host.editor = &editor;
    host.couplers = {"A Buffer", "B Chain", "C Knuckle"};
    host.updateCommandAvailability(); // as start-up ends
    const char* couplings[] = {"RailVehicles\\Couplings\\Buffer.xml", "RailVehicles\\Couplings\\Chain.xml",
                               "RailVehicles\\Couplings\\Knuckle.xml"};
    for (int i = 0; i < catalogueUnits; ++i) {
        host.slots.push_back(
            catalogueRecord("U" + std::to_string(i), couplings[i % 3], couplings[(i + 1) % 3]));
    }
}

void EditorFixture::buildLine(int count, int selectedUnit) {
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            click(i - 1);
        }
        editor.units().addUnit(Side::Right, UnitList::Wagons, ListChoice{5, "U" + std::to_string(i)});
    }
    if (selectedUnit == -1) {
        editor.navigation().backgroundClicked();
    } else if (count > 0) {
        click(selectedUnit);
    }
}

std::string EditorFixture::names() const {
    std::string text;
    for (const std::string& unit : editor.line().units()) {
        text += (text.empty() ? "" : " ") + unitField(unit, RecordField::englishName) +
                (isForward(unit) ? "" : "<");
    }
    return text;
}

const LabelElement& EditorFixture::element(LabelSet set, int index) const {
    static const LabelElement missing;
    const LabelElement* found = display().labels().element(set, static_cast<std::size_t>(index));
    EXPECT_NE(found, nullptr) << labelSetName(set) << "[" << index << "] does not exist";
    return found != nullptr ? *found : missing;
}

std::vector<int> EditorFixture::opaqueCaptions() const {
    std::vector<int> opaque;
    for (int i = 0; i < editor.line().unitCount(); ++i) {
        if (element(LabelSet::Label28, i + 1).opaque) {
            opaque.push_back(i);
        }
    }
    return opaque;
}

void EditorFixture::expectDrawnAsTheLine(int markedUnit) const {
    const int count = editor.line().unitCount();
    for (const LabelSet set : {LabelSet::Label1, LabelSet::Label2, LabelSet::Label28}) {
        ASSERT_EQ(display().labels().highestIndex(set), static_cast<std::size_t>(count)) << labelSetName(set);
    }
    const char* letters[] = {"A", "B", "C"};
    for (int i = 0; i < count; ++i) {
        const std::string& unit = editor.line().unit(i);
        const std::string name = unitField(unit, RecordField::englishName);
        const int number = std::stoi(name.substr(1));
        const bool forward = isForward(unit);
        const float left = display().firstUnitLeft() + 1635.0f * static_cast<float>(i);
        const LabelElement& body = element(LabelSet::Label1, i + 1);
        const LabelElement& under = element(LabelSet::Label28, i + 1);
        EXPECT_EQ(std::make_tuple(body.left, body.caption, under.left, body.visible && under.visible),
                  std::make_tuple(left, name, left, true))
            << "unit " << i;
        EXPECT_EQ(element(LabelSet::Label2, i + 1).left, forward ? left - 45.0f : left + 1440.0f)
            << "unit " << i;
        const std::string front = letters[number % 3];
        const std::string rear = letters[(number + 1) % 3];
        const std::string position = i == markedUnit ? " [NEW] " : "  [" + std::to_string(i + 1) + "]  ";
        EXPECT_EQ(caption(i), forward ? front + position + rear : rear + position + front) << "unit " << i;
    }
    const LabelElement& frame = element(LabelSet::Label3, 0);
    EXPECT_EQ(frame.left, selected() == -1 ? kHiddenLeft : bodyLeft(selected()) - 120.0f);
    if (selected() != -1) {
        EXPECT_GT(element(LabelSet::Label1, selected() + 1).stacking, frame.stacking);
    }
}

} // namespace dovrel::testing

#include "ConsistTestHost.h"

#include "consist/ConsistUnit.h"

#include <array>
#include <gtest/gtest.h>

namespace dovrel::testing {

std::string catalogueRecord(const std::string& name, const std::string& frontCoupling,
                            const std::string& rearCoupling, const std::string& provider) {
    std::array<std::string, kRecordFieldCount> fields;
    fields.fill("0");
    fields[static_cast<std::size_t>(RecordField::unitClass)] = "Wagon";
    fields[static_cast<std::size_t>(RecordField::englishName)] = name;
    fields[static_cast<std::size_t>(RecordField::provider)] = provider;
    fields[static_cast<std::size_t>(RecordField::product)] = "Pack";
    fields[static_cast<std::size_t>(RecordField::blueprintPath)] = "RailVehicles\\" + name + ".xml";
    fields[static_cast<std::size_t>(RecordField::frontCouplingId)] = frontCoupling;
    fields[static_cast<std::size_t>(RecordField::rearCouplingId)] = rearCoupling;
    return EquipmentRecord::join(fields);
}

void TestHost::updateCommandAvailability() {
    ++availabilityUpdates;
    CommandInputs inputs;
    if (editor != nullptr) {
        inputs.unitCount = editor->line().unitCount();
        inputs.selectedIndex = editor->line().selectedIndex();
    }
    inputs.locoEntryChosen = locoChosen;
    inputs.wagonEntryChosen = wagonChosen;
    inputs.locoEntryCount = 3;
    inputs.wagonEntryCount = 3;
    inputs.viewScrollEnabled = isEnabled("HScroll2");
    for (const CommandState& state : computeCommandStates(inputs).inOrder()) {
        enabled[std::string(state.control)] = state.enabled;
    }
}

void TestHost::disableCommands(std::span<const std::string_view> controls) {
    for (const std::string_view control : controls) {
        enabled[std::string(control)] = false;
    }
}

bool TestHost::isEnabled(std::string_view control) const {
    const auto found = enabled.find(control);
    return found != enabled.end() && found->second;
}

EditorFixture::EditorFixture(int catalogueUnits) {
    host.editor = &editor;
    host.couplers = {"A Buffer", "B Chain", "C Knuckle"};
    host.updateCommandAvailability(); // as start-up ends
    const char* couplings[] = {"RailVehicles\\Couplings\\Buffer.xml", "RailVehicles\\Couplings\\Chain.xml",
                               "RailVehicles\\Couplings\\Knuckle.xml"};
    for (int i = 0; i < catalogueUnits; ++i) {
        host.catalogue.push_back(
            catalogueRecord("U" + std::to_string(i), couplings[i % 3], couplings[(i + 1) % 3]));
    }
}

void EditorFixture::addRight(const std::string& name) {
    editor.units().addUnit(Side::Right, UnitList::Wagons, ListChoice{5, name});
}

void EditorFixture::buildLine(int count, int selected) {
    for (int i = 0; i < count; ++i) {
        const int last = editor.line().unitCount() - 1;
        if (last >= 0) {
            editor.navigation().pressUnitBody(last, 1, 10.0f, 10.0f, 0);
        }
        addRight("U" + std::to_string(i));
    }
    if (selected == -1) {
        editor.navigation().backgroundClicked();
    } else if (count > 0) {
        editor.navigation().pressUnitBody(selected, 1, 10.0f, 10.0f, 0);
    }
}

std::vector<std::string> EditorFixture::names() const {
    std::vector<std::string> result;
    for (const std::string& unit : editor.line().units()) {
        result.push_back(unitField(unit, RecordField::englishName) + (isForward(unit) ? "" : "<"));
    }
    return result;
}

std::string EditorFixture::namesText() const {
    std::string text;
    for (const std::string& name : names()) {
        text += (text.empty() ? "" : " ") + name;
    }
    return text;
}

std::vector<std::string> EditorFixture::messageTexts() const {
    std::vector<std::string> texts;
    for (const auto& shown : messages.shown()) {
        texts.push_back(shown.text);
    }
    return texts;
}

float EditorFixture::bodyLeft(int unit) const {
    const LabelElement* body = editor.display().bodyOf(unit);
    EXPECT_NE(body, nullptr) << "unit " << unit << " is not drawn";
    return body != nullptr ? body->left : -1.0f;
}

const LabelElement& EditorFixture::element(LabelSet set, int index) const {
    const LabelElement* found = editor.display().labels().element(set, static_cast<std::size_t>(index));
    if (found == nullptr) {
        ADD_FAILURE() << labelSetName(set) << "[" << index << "] does not exist";
        static const LabelElement missing;
        return missing;
    }
    return *found;
}

} // namespace dovrel::testing

#include "ConsistTestHost.h"

#include "consist/ConsistMessages.h"

#include <gtest/gtest.h>

#include <functional>

namespace dovrel::testing {
namespace {

namespace msg = consistmessages;

// Every command refuses what it cannot do with its message (exclamation, OK), or silently, and then
// changes nothing: units, selection, drawn labels and command states stay as they were.
TEST(CommandRefusals, LeaveEverythingAsItWas) {
    using Command = std::function<void(ConsistEditor&)>;
    const auto add = [](Side side, UnitList list, ListChoice choice) -> Command {
        return [=](ConsistEditor& editor) { editor.units().addUnit(side, list, choice); };
    };
    const auto trade = [](UnitList list, ListChoice choice) -> Command {
        return [=](ConsistEditor& editor) { editor.units().tradeUnit(list, choice); };
    };
    const auto call = [](auto member, auto... arguments) -> Command {
        return [=](ConsistEditor& editor) { std::invoke(member, editor.arrangement(), arguments...); };
    };
    const auto unitsCall = [](void (UnitCommands::*member)(Side), Side side) -> Command {
        return [=](ConsistEditor& editor) { (editor.units().*member)(side); };
    };
    const Command toSelected = [](ConsistEditor& editor) { editor.navigation().toSelected(); };
    const ListChoice none{4, std::nullopt};
    const ListChoice ghost{4, "Ghost"};
    const std::string selectUnit(msg::kSelectInConsist);
    const std::string noConsist(msg::kNoConsist);
    const std::string ghostMissing = "Ghost\r\n\r\n" + std::string(msg::kNotInCatalogue);
    struct Case {
        const char* name;
        int units;
        int selected;
        Command command;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"add from an empty list", 2, 0, add(Side::Left, UnitList::Locos, {0, std::nullopt}), {}},
        {"add, no loco chosen",
         2,
         0,
         add(Side::Left, UnitList::Locos, none),
         {std::string(msg::kSelectInLocos)}},
        {"add, no wagon chosen",
         0,
         -1,
         add(Side::Right, UnitList::Wagons, none),
         {std::string(msg::kSelectInWagons)}},
        {"add, no unit selected", 2, -1, add(Side::Right, UnitList::Wagons, {4, "U1"}), {selectUnit}},
        {"add a name not in the catalogue", 2, 1, add(Side::Left, UnitList::Locos, ghost), {ghostMissing}},
        {"start a line with a missing name", 0, -1, add(Side::Right, UnitList::Locos, ghost), {ghostMissing}},
        {"trade from an empty list", 2, 0, trade(UnitList::Wagons, {0, std::nullopt}), {}},
        {"trade, no loco chosen", 2, 0, trade(UnitList::Locos, none), {std::string(msg::kSelectInLocos)}},
        {"trade, no wagon chosen", 2, 0, trade(UnitList::Wagons, none), {std::string(msg::kSelectInWagons)}},
        {"trade on an empty line", 0, -1, trade(UnitList::Locos, {4, "U1"}), {noConsist}},
        {"trade, no unit selected", 2, -1, trade(UnitList::Locos, {4, "U1"}), {selectUnit}},
        {"trade for a missing name", 2, 0, trade(UnitList::Locos, ghost), {ghostMissing}},
        {"delete left on an empty line",
         0,
         -1,
         unitsCall(&UnitCommands::deleteUnit, Side::Left),
         {noConsist}},
        {"delete right, no unit selected",
         2,
         -1,
         unitsCall(&UnitCommands::deleteUnit, Side::Right),
         {selectUnit}},
        {"shift left on an empty line", 0, -1, call(&ArrangeCommands::shiftUnit, Side::Left), {noConsist}},
        {"shift right, no unit selected",
         3,
         -1,
         call(&ArrangeCommands::shiftUnit, Side::Right),
         {selectUnit}},
        {"shift left, no unit selected", 3, -1, call(&ArrangeCommands::shiftUnit, Side::Left), {selectUnit}},
        {"shift the head left", 3, 0, call(&ArrangeCommands::shiftUnit, Side::Left), {}},
        {"shift the tail right", 3, 2, call(&ArrangeCommands::shiftUnit, Side::Right), {}},
        {"reverse unit on an empty line", 0, -1, call(&ArrangeCommands::reverseUnit), {noConsist}},
        {"reverse unit, no unit selected", 2, -1, call(&ArrangeCommands::reverseUnit), {selectUnit}},
        {"reverse all on an empty line", 0, -1, call(&ArrangeCommands::reverseAll), {noConsist}},
        {"mirror an empty line", 0, -1, call(&ArrangeCommands::mirrorConsist), {noConsist}},
        {"to selected on an empty line", 0, -1, toSelected, {noConsist}},
        {"to selected, no unit selected", 2, -1, toSelected, {std::string(msg::kNothingSelected)}},
    };
    for (const Case& c : cases) {
        EditorFixture fx;
        fx.buildLine(c.units, c.selected);
        const std::string names = fx.namesText();
        const auto order = fx.editor.display().labels().stackingOrder();
        const auto enabled = fx.host.enabled;
        const int updates = fx.host.availabilityUpdates;
        for (std::size_t i = 0; i < c.messages.size(); ++i) {
            fx.messages.queue(MessageAnswer::OK);
        }
        c.command(fx.editor);
        EXPECT_EQ(fx.messageTexts(), c.messages) << c.name;
        for (const auto& shown : fx.messages.shown()) {
            EXPECT_EQ(std::make_pair(shown.icon, shown.buttons),
                      std::make_pair(MessageIcon::Exclamation, MessageButtons::OK))
                << c.name;
        }
        EXPECT_EQ(fx.namesText(), names) << c.name;
        EXPECT_EQ(fx.editor.line().selectedIndex(), c.selected) << c.name;
        EXPECT_EQ(fx.editor.display().labels().stackingOrder(), order) << c.name;
        EXPECT_EQ(fx.host.enabled, enabled) << c.name;
        EXPECT_EQ(fx.host.availabilityUpdates, updates) << c.name;
    }
}

} // namespace
} // namespace dovrel::testing

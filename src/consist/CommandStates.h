// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

// Which of the main window's commands are enabled, as one pure function of the state that the
// availability rules read. `Form1` applies the result to its controls by object name.
namespace dovrel {

enum class AvailabilityRequest {
    Update,     // updateCommandAvailability: every rule of the availability table
    DisableAll, // disableAllCommands: the reset before the game folder is checked
};

struct CommandInputs {
    AvailabilityRequest request = AvailabilityRequest::Update;
    std::int32_t unitCount = 0;
    std::int32_t selectedIndex = -1;
    bool locoEntryChosen = false;  // an entry of List1 is chosen
    bool wagonEntryChosen = false; // an entry of List2 is chosen
    std::int32_t locoEntryCount = 0;
    std::int32_t wagonEntryCount = 0;
    std::int32_t listedConsistCount = 0; // entries of List3
    // HScroll2's enabled flag as it stands: a one-unit line keeps it.
    bool viewScrollEnabled = false;
};

struct CommandState {
    std::string_view control; // the control's object name
    bool enabled = false;
};

// The controls that a request sets, in the order the rules set them.
class CommandStates {
public:
    explicit CommandStates(std::vector<CommandState> states) : states_(std::move(states)) {}

    const std::vector<CommandState>& inOrder() const& { return states_; }
    // A temporary hands its states over, so a loop over computeCommandStates(...).inOrder() is safe.
    std::vector<CommandState> inOrder() && { return std::move(states_); }
    // Empty when the request does not set that control.
    std::optional<bool> enabled(std::string_view control) const;

private:
    std::vector<CommandState> states_;
};

CommandStates computeCommandStates(const CommandInputs& inputs);

// Shorthand for the DisableAll request.
CommandStates disableAllCommands();

// The controls that deleting the only unit turns off after its own availability update.
std::vector<std::string_view> controlsOffAfterLastUnitDeleted();

} // namespace dovrel

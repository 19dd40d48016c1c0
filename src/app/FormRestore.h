// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/SecondaryWindows.h"
#include "consistfiles/UserConsistRestore.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

class QListWidget;
class QPushButton;

namespace dovrel {

// Restore User Consists: the kept copies of the user-consist file, newest first, each with the
// time it was taken and the consists it holds; Restore puts the chosen one back. A copy the
// converter does not read is listed greyed with the reason and cannot be chosen.
class FormRestore final : public SecondaryWindow {
    Q_OBJECT

public:
    using RestoreChosen = std::function<void(const UserConsistBackup&)>;
    // The copy chosen while the window is open; none once it is hidden or nothing is chosen.
    using ChoiceHeld = std::function<void(std::optional<std::filesystem::path>)>;

    FormRestore(NamedControls& registry, RestoreChosen restore, ChoiceHeld held);

    // Fills the list anew. The copy chosen before stays chosen while it is listed and can be put
    // back; otherwise the first that can be is chosen.
    void showChoices(const std::vector<BackupChoice>& choices);
    // Fills the list anew and chooses the given copy when it is listed and can be put back.
    void showChoices(const std::vector<BackupChoice>& choices, const std::filesystem::path& chosen);

    QListWidget* list() const { return list_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    std::optional<std::filesystem::path> chosenFile() const;
    void choiceChanged();
    void restoreChosen();

    RestoreChosen restore_;
    ChoiceHeld held_;
    std::vector<BackupChoice> choices_;
    QListWidget* list_;
    QPushButton* restoreButton_;
};

// One row of the list: "2026-12-06 20:58:07 #42  (3)  Alpha, Beta, *", or
// "2026-12-06 20:58:07 #41  unreadable copy".
std::string backupRowText(const BackupChoice& choice);

} // namespace dovrel

#pragma once

#include "app/SecondaryWindows.h"
#include "consistfiles/UserConsistRestore.h"

#include <functional>
#include <vector>

class QListWidget;
class QPushButton;

namespace dovrel {

// Restore User Consists: the kept copies of the user-consist file, newest first, each with the
// time it was taken and the consists it holds; Restore puts the chosen one back.
class FormRestore final : public SecondaryWindow {
    Q_OBJECT

public:
    using RestoreChosen = std::function<void(const UserConsistBackup&)>;

    FormRestore(NamedControls& registry, RestoreChosen restore);

    // Fills the list anew; the first row is chosen when there is one.
    void showChoices(const std::vector<BackupChoice>& choices);

    QListWidget* list() const { return list_; }

private:
    void restoreChosen();

    RestoreChosen restore_;
    std::vector<UserConsistBackup> backups_;
    QListWidget* list_;
    QPushButton* restoreButton_;
};

// One row of the list: "2026-12-06 20:58:07  (3)  Alpha, Beta, *".
std::string backupRowText(const BackupChoice& choice);

} // namespace dovrel

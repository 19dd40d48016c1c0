// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FormRestore.h"

#include "consistfiles/ConsistFileMessages.h"
#include "platform/qt/TextConversion.h"
#include "widgets/ControlFactory.h"
#include "widgets/ControlText.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

namespace dovrel {

std::string backupRowText(const BackupChoice& choice) {
    std::string text = backupLabel(choice.backup) + "  ";
    if (!choice.restorable) {
        return text + std::string(consistmessages::kUnreadableCopy);
    }
    text += "(" + std::to_string(choice.consistNames.size()) + ")";
    for (std::size_t k = 0; k < choice.consistNames.size(); ++k) {
        text += (k == 0 ? "  " : ", ") + choice.consistNames[k];
    }
    return text;
}

FormRestore::FormRestore(NamedControls& registry, RestoreChosen restore, ChoiceHeld held)
    : SecondaryWindow(registry, "FormRestore", "Restore User Consists", 9600, 4200),
      restore_(std::move(restore)), held_(std::move(held)) {
    ControlFactory make(registry, "FormRestore.");
    make.make<QLabel>(this, "Label1", ControlKind::Label, {120, 120, 9360, 255},
                      "Copies of the user-consist file kept before each change, newest first:");
    list_ = make.make<QListWidget>(this, "lstBackups", ControlKind::ListBox, {120, 420, 9360, 3060});
    restoreButton_ =
        make.make<QPushButton>(this, "butRestore", ControlKind::Button, {6840, 3600, 1260, 375}, "&Restore");
    auto* close =
        make.make<QPushButton>(this, "butClose", ControlKind::Button, {8220, 3600, 1260, 375}, "&Close");
    connect(restoreButton_, &QPushButton::clicked, this, [this] { restoreChosen(); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { restoreChosen(); });
    connect(list_, &QListWidget::currentRowChanged, this, [this] { choiceChanged(); });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    restoreButton_->setEnabled(false);
    list_->setAccessibleName(QStringLiteral("Kept copies of the user consists"));
    closeOnEscape();
}

void FormRestore::showChoices(const std::vector<BackupChoice>& choices) {
    const std::optional<std::filesystem::path> chosen = chosenFile();
    showChoices(choices, chosen.value_or(std::filesystem::path()));
}

void FormRestore::showChoices(const std::vector<BackupChoice>& choices, const std::filesystem::path& chosen) {
    const QSignalBlocker quiet(list_);
    list_->clear();
    choices_ = choices;
    for (const BackupChoice& choice : choices_) {
        const std::string text = backupRowText(choice);
        auto* item = new QListWidgetItem(displayText(text));
        item->setData(kItemBytesRole, QByteArray::fromStdString(text));
        if (!choice.restorable) {
            item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
        }
        list_->addItem(item);
    }
    const auto restorable = [&](const BackupChoice& choice) { return choice.restorable; };
    auto found = std::find_if(choices_.begin(), choices_.end(), [&](const BackupChoice& choice) {
        return choice.restorable && choice.backup.file == chosen;
    });
    if (found == choices_.end()) {
        found = std::find_if(choices_.begin(), choices_.end(), restorable);
    }
    const int row = found == choices_.end() ? -1 : static_cast<int>(found - choices_.begin());
    list_->setCurrentRow(row);
    choiceChanged();
}

std::optional<std::filesystem::path> FormRestore::chosenFile() const {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(choices_.size()) ||
        !choices_[static_cast<std::size_t>(row)].restorable) {
        return std::nullopt;
    }
    return choices_[static_cast<std::size_t>(row)].backup.file;
}

void FormRestore::choiceChanged() {
    const std::optional<std::filesystem::path> chosen = chosenFile();
    restoreButton_->setEnabled(chosen.has_value());
    if (isVisible()) {
        held_(chosen);
    }
}

void FormRestore::showEvent(QShowEvent* event) {
    SecondaryWindow::showEvent(event);
    held_(chosenFile());
}

void FormRestore::hideEvent(QHideEvent* event) {
    SecondaryWindow::hideEvent(event);
    held_(std::nullopt);
}

void FormRestore::restoreChosen() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(choices_.size()) ||
        !choices_[static_cast<std::size_t>(row)].restorable) {
        return;
    }
    // The window may be filled anew while the copy is put back; the copy is taken before that.
    const UserConsistBackup backup = choices_[static_cast<std::size_t>(row)].backup;
    restore_(backup);
}

} // namespace dovrel

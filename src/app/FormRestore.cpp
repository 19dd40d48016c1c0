#include "app/FormRestore.h"

#include "platform/qt/TextConversion.h"
#include "widgets/ControlFactory.h"
#include "widgets/ControlText.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace dovrel {

std::string backupRowText(const BackupChoice& choice) {
    std::string text = choice.backup.taken + "  (" + std::to_string(choice.consistNames.size()) + ")";
    for (std::size_t k = 0; k < choice.consistNames.size(); ++k) {
        text += (k == 0 ? "  " : ", ") + choice.consistNames[k];
    }
    return text;
}

FormRestore::FormRestore(NamedControls& registry, RestoreChosen restore)
    : SecondaryWindow(registry, "FormRestore", "Restore User Consists", 9600, 4200),
      restore_(std::move(restore)) {
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
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
}

void FormRestore::showChoices(const std::vector<BackupChoice>& choices) {
    list_->clear();
    backups_.clear();
    for (const BackupChoice& choice : choices) {
        const std::string text = backupRowText(choice);
        auto* item = new QListWidgetItem(displayText(text));
        item->setData(kItemBytesRole, QByteArray::fromStdString(text));
        list_->addItem(item);
        backups_.push_back(choice.backup);
    }
    if (!choices.empty()) {
        list_->setCurrentRow(0);
    }
    restoreButton_->setEnabled(!choices.empty());
}

void FormRestore::restoreChosen() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(backups_.size())) {
        return;
    }
    restore_(backups_[static_cast<std::size_t>(row)]);
}

} // namespace dovrel

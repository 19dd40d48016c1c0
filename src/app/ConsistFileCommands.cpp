// SPDX-License-Identifier: GPL-3.0-or-later
// The consist list of the main window: reading the user and scenario consists, showing and loading a
// listed consist, saving and deleting user consists.
#include "app/ConsistFileCommands.h"
#include "app/FormRestore.h"

#include "consist/ConsistEdit.h"
#include "consist/ConsistEditor.h"
#include "consistfiles/ConsistFileMessages.h"
#include "consistfiles/ListedConsistView.h"
#include "consistfiles/ScenarioConsistReader.h"
#include "consistfiles/UserConsistDeleter.h"
#include "consistfiles/UserConsistReader.h"
#include "consistfiles/UserConsistRestore.h"
#include "consistfiles/UserConsistSaver.h"
#include "platform/qt/TextConversion.h"
#include "widgets/ControlText.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

namespace dovrel {

namespace {
std::vector<std::string> catalogueLines(const Catalogue& catalogue) {
    const auto records = catalogue.records();
    return {records.begin(), records.end()};
}
} // namespace

ConsistFileCommands::ConsistFileCommands(const Form1Controls& controls, const Services& services,
                                         ConverterRunner& converter, const Catalogue& catalogue,
                                         const GameFolders& folders, BusyState& busy, ConsistEditor& editor,
                                         FormRestore& restoreWindow, Callbacks callbacks)
    : c_(controls), services_(services), catalogue_(catalogue), folders_(folders), busy_(busy),
      editor_(editor), restoreWindow_(restoreWindow), callbacks_(std::move(callbacks)),
      backups_(services.files, clock_, services.programFolder), fileServices_{
                                                                    services.files,  converter,
                                                                    services.events, services.messages,
                                                                    backups_,        services.programFolder} {
    backups_.whenChanged([this] { backupsChanged_ = true; });
    wire();
}

std::vector<std::string> ConsistFileCommands::listedConsistRows() const {
    std::vector<std::string> rows;
    for (int i = 0; i < c_.List3->count(); ++i) {
        rows.push_back(listing_.listedConsist(static_cast<std::size_t>(i)));
    }
    return rows;
}

void ConsistFileCommands::listReset() {
    c_.List3->clear();
    c_.mnuDeleteConsist->setEnabled(false);
    setCaption(c_.Label7, "");
    setCaption(c_.Label22, "");
    c_.ListView1->clear();
    listing_ = ConsistListing();
}

void ConsistFileCommands::rowListed(const ConsistRow& row) {
    const QSignalBlocker quiet(c_.List3);
    // The row shows its name read; it keeps its text, by which Delete and Save find its template.
    addMeasuredItem(c_.List3, shownRowText(row.text()), row.text());
}

void ConsistFileCommands::progressShown(const std::string& caption) {
    setCaption(c_.Label11, caption);
}

void ConsistFileCommands::busyPointerShown(bool busy) {
    if (busy) {
        services_.waitCursor.show();
    } else {
        services_.waitCursor.restore();
    }
}

void ConsistFileCommands::finishConsistRead(const ConsistReadResult& result, std::string_view heading,
                                            bool userConsists) {
    listing_ = result.listing;
    if (c_.List3->count() > 0) {
        if (userConsists) {
            c_.mnuDeleteConsist->setEnabled(true);
        }
        setCaption(c_.Label7, heading);
        selectRow(0);
    }
    callbacks_.listChanged();
}

void ConsistFileCommands::readUserConsists() {
    const BusyScope busy(busy_);
    const ConsistReadResult result =
        UserConsistReader(fileServices_)
            .readUserConsists(folders_.contentFolder, catalogueLines(catalogue_), *this);
    finishConsistRead(result, consistmessages::kUserConsistsHeading, true);
}

void ConsistFileCommands::readScenarioConsists() {
    const BusyScope busy(busy_);
    const ConsistReadResult result =
        ScenarioConsistReader(fileServices_)
            .readScenarioConsists(folders_.routesFolder, catalogueLines(catalogue_), *this);
    finishConsistRead(result, consistmessages::kScenarioConsistsHeading, false);
}

std::optional<std::string> ConsistFileCommands::chosenRowText() const {
    return chosenItemBytes(c_.List3);
}

std::optional<ListedRow> ConsistFileCommands::chosenListedRow() const {
    const QList<QListWidgetItem*> selected = c_.List3->selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    return ListedRow{static_cast<std::size_t>(c_.List3->row(selected.front())),
                     itemBytes(selected.front()->data(kItemBytesRole), selected.front()->text())};
}

void ConsistFileCommands::selectRow(int row) {
    {
        const QSignalBlocker quiet(c_.List3);
        c_.List3->setCurrentRow(row);
    }
    showListedConsist();
}

void ConsistFileCommands::showListedConsist() {
    const std::optional<std::string> rowText = chosenRowText();
    if (c_.List3->count() == 0 || !rowText) {
        return;
    }
    c_.ListView1->clear();
    const std::vector<std::string>& listed =
        listing_.listedUnits(static_cast<std::size_t>(c_.List3->currentRow()));
    QList<QTreeWidgetItem*> rows;
    for (const UnitViewRow& row : unitViewRows(listed)) {
        auto* item = new QTreeWidgetItem();
        const std::string cells[] = {row.ordinal, row.equipment, row.orientation};
        for (int column = 0; column < 3; ++column) {
            item->setText(column, displayText(cells[column]));
            item->setData(column, kItemBytesRole, QByteArray::fromStdString(cells[column]));
        }
        rows.append(item);
    }
    c_.ListView1->addTopLevelItems(rows);
    setCaption(c_.Label22, chosenConsistCaption(*rowText));
}

void ConsistFileCommands::viewListedConsist() {
    const std::optional<std::string> rowText = chosenRowText();
    if (c_.List3->count() == 0 || !rowText) {
        services_.messages.warn(consistmessages::selectConsistInList());
        return;
    }
    if (!editor_.confirmAbandonConsist()) {
        return;
    }
    bool overflowed = false;
    callbacks_.runEditorStep([&] {
        LoadedConsist loaded = loadListedConsist(
            *rowText, listing_.listedUnits(static_cast<std::size_t>(c_.List3->currentRow())),
            catalogueLines(catalogue_));
        overflowed = loaded.overflowed;
        editor_.loadConsist(std::move(loaded.name), std::move(loaded.units));
    });
    if (overflowed) {
        services_.messages.warn(consistmessages::consistIsFull());
    }
}

void ConsistFileCommands::saveConsist() {
    const BusyScope busy(busy_);
    const std::vector<std::string> units(editor_.line().units().begin(), editor_.line().units().end());
    SaveContext context;
    if (userConsistsOnShow()) {
        context.chosenRow = chosenListedRow();
    }
    context.catalogue = catalogueLines(catalogue_);
    const SaveResult result =
        UserConsistSaver(fileServices_, services_.random)
            .saveUserConsist(typedText(c_.Text1->text()), units, folders_.contentFolder, *this, context);
    if (result == SaveResult::NameMissing) {
        c_.Text1->setFocus();
    } else if (result == SaveResult::NameHasForbiddenSymbols) {
        c_.Text1->setSelection(0, static_cast<int>(c_.Text1->text().size()));
        c_.Text1->setFocus();
    }
    refreshRestoreWindow();
}

void ConsistFileCommands::nameTrimmed(const std::string& name) {
    c_.Text1->setText(displayText(name));
    editor_.display().panelTexts().consistName = name;
}

bool ConsistFileCommands::userConsistsOnShow() const {
    return c_.List3->count() > 0 && storedCaption(c_.Label7) == consistmessages::kUserConsistsHeading;
}

void ConsistFileCommands::consistSaved(const std::string& name) {
    c_.mnuOpenVTUserConsists->setEnabled(true);
    if (!userConsistsOnShow()) {
        return;
    }
    readUserConsists();
    if (const std::optional<std::size_t> row = rowNamed(listing_.rows(), name)) {
        selectRow(static_cast<int>(*row));
    }
}

void ConsistFileCommands::deleteConsist() {
    const BusyScope busy(busy_);
    UserConsistDeleter(fileServices_)
        .deleteUserConsist(chosenListedRow(),
                           storedCaption(c_.Label7) == consistmessages::kUserConsistsHeading,
                           folders_.contentFolder, *this);
    refreshRestoreWindow();
}

void ConsistFileCommands::consistDeleted() {
    readUserConsists();
    c_.mnuOpenVTUserConsists->setEnabled(true);
}

void ConsistFileCommands::lastConsistDeleted() {
    c_.List3->clear();
    setCaption(c_.Label7, "");
    c_.mnuOpenVTUserConsists->setEnabled(false);
}

void ConsistFileCommands::openRestoreWindow() {
    const BusyScope busy(busy_);
    restoreWindow_.showChoices(UserConsistRestore(fileServices_).choices(folders_.contentFolder));
    backupsChanged_ = false;
    restoreWindow_.showAndRaise();
}

void ConsistFileCommands::refreshRestoreWindow() {
    if (!backupsChanged_ || !restoreWindow_.isVisible()) {
        return;
    }
    const BusyScope busy(busy_);
    restoreWindow_.showChoices(UserConsistRestore(fileServices_).choices(folders_.contentFolder));
    backupsChanged_ = false;
}

void ConsistFileCommands::restoreUserConsists(const UserConsistBackup& backup) {
    const BusyScope busy(busy_);
    if (UserConsistRestore(fileServices_).restore(backup, folders_.contentFolder) !=
        RestoreResult::Restored) {
        refreshRestoreWindow();
        return;
    }
    c_.mnuOpenVTUserConsists->setEnabled(true);
    if (userConsistsOnShow()) {
        readUserConsists();
    }
    // The copy put back stays chosen, and so kept, while the window stays open.
    restoreWindow_.showChoices(UserConsistRestore(fileServices_).choices(folders_.contentFolder),
                               backup.file);
    backupsChanged_ = false;
}

void ConsistFileCommands::wire() {
    connect(c_.mnuOpenVTUserConsists, &QAction::triggered, this, [this] { readUserConsists(); });
    connect(c_.mnuOpenVTScenarioConsists, &QAction::triggered, this, [this] { readScenarioConsists(); });
    connect(c_.mnuSaveConsistToVTUserConsists, &QAction::triggered, this, [this] { saveConsist(); });
    connect(c_.mnuDeleteConsist, &QAction::triggered, this, [this] { deleteConsist(); });
    connect(c_.mnuRestoreUserConsists, &QAction::triggered, this, [this] { openRestoreWindow(); });
    connect(c_.butView, &QPushButton::clicked, this, [this] { viewListedConsist(); });
    connect(c_.List3, &QListWidget::itemClicked, this, [this] { showListedConsist(); });
    connect(c_.List3, &QListWidget::currentItemChanged, this, [this] {
        if (c_.List3->hasFocus() && QApplication::mouseButtons() == Qt::NoButton) {
            showListedConsist();
        }
    });
}

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/BusyScope.h"
#include "app/Form1Controls.h"
#include "app/GameFolders.h"
#include "app/Services.h"
#include "catalogue/Catalogue.h"
#include "consistfiles/ConsistFileServices.h"
#include "consistfiles/ConsistListing.h"
#include "consistfiles/ConsistReadObserver.h"
#include "consistfiles/UserConsistBackups.h"
#include "consistfiles/UserConsistDeleter.h"
#include "consistfiles/UserConsistSaver.h"
#include "convert/ConverterRunner.h"
#include "platform/WallClock.h"

#include <QObject>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

class ConsistEditor;
class FormRestore;
struct UserConsistBackup;

// The consist list of the main window and the user-consist file: File > Open VT User Consists and
// Open VT Scenario Consists fill the list, a chosen row is shown and View loads it into the consist
// line; Save and Delete write the user-consist file, Restore User Consists puts a kept copy back.
class ConsistFileCommands final : public QObject,
                                  private ConsistReadObserver,
                                  private SaveObserver,
                                  private DeleteObserver {
    Q_OBJECT

public:
    struct Callbacks {
        // Runs a change of the consist line as one step of its history and shows it.
        std::function<void(const std::function<void()>&)> runEditorStep;
        // The list's rows changed: the commands that depend on them are updated.
        std::function<void()> listChanged;
    };
    ConsistFileCommands(const Form1Controls& controls, const Services& services, ConverterRunner& converter,
                        const Catalogue& catalogue, const GameFolders& folders, BusyState& busy,
                        ConsistEditor& editor, FormRestore& restoreWindow, Callbacks callbacks);

    void readUserConsists();
    void readScenarioConsists();
    void showListedConsist();
    void viewListedConsist();
    void saveConsist();
    void deleteConsist();
    void openRestoreWindow();
    void restoreUserConsists(const UserConsistBackup& backup);
    // The copy chosen in the restore window, kept from pruning while it is chosen.
    void holdBackup(std::optional<std::filesystem::path> chosen) { backups_.hold(std::move(chosen)); }
    // One entry per row of the consist list: the listed consist shown in that row.
    std::vector<std::string> listedConsistRows() const;

private:
    void wire();
    // ConsistReadObserver, SaveObserver, DeleteObserver
    void listReset() override;
    void rowListed(const ConsistRow& row) override;
    void progressShown(const std::string& caption) override;
    void busyPointerShown(bool busy) override;
    void nameTrimmed(const std::string& name) override;
    void consistSaved(const std::string& name) override;
    void consistDeleted() override;
    void lastConsistDeleted() override;
    void finishConsistRead(const ConsistReadResult& result, std::string_view heading, bool userConsists);
    std::optional<std::string> chosenRowText() const;
    // The chosen row of the consist list: its place and its text.
    std::optional<ListedRow> chosenListedRow() const;
    // Selects a row of the consist list from code and shows its consist.
    void selectRow(int row);
    bool userConsistsOnShow() const;
    // Lists the copies anew in an open restore window once a copy was added or pruned.
    void refreshRestoreWindow();

    const Form1Controls& c_;
    const Services& services_;
    const Catalogue& catalogue_;
    const GameFolders& folders_;
    BusyState& busy_;
    ConsistEditor& editor_;
    FormRestore& restoreWindow_;
    Callbacks callbacks_;
    SystemClock clock_;
    UserConsistBackups backups_;
    ConsistFileServices fileServices_;
    ConsistListing listing_;
    // A copy was added or pruned since the restore window was last filled.
    bool backupsChanged_ = false;
};

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/ConsistFileServices.h"
#include "consistfiles/TemplateScan.h"
#include "consistfiles/UserConsistFileLock.h"
#include "platform/RandomSource.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// What a consist name can be refused for.
enum class ConsistNameCheck { Accepted, Missing, HasForbiddenSymbols };

// A name must not be empty nor hold any of \ / * : ? " < > |.
ConsistNameCheck checkConsistName(std::string_view name);

enum class SaveResult {
    Saved,
    NameMissing,             // the window gives the name box the focus
    NameHasForbiddenSymbols, // the window selects the name box's whole text and gives it the focus
    NotReplaced,             // No or Cancel to "Okay to replace?", or No to leaving units out
    NotFound,                // the chosen row's template is no longer in the file
    NotRead,                 // the game's file could not be copied or converted to XML
    NotWritten,              // tempc.xml or the game's file could not be written
    Rejected,                // the converter refused the document, now kept as error.xml
};

// The window's part of a save.
class SaveObserver {
public:
    virtual ~SaveObserver() = default;
    // The name box gets the name trimmed of spaces, before the name is checked.
    virtual void nameTrimmed(const std::string& name) = 0;
    // The game's file now holds the saved consist: the window enables Open VT User Consists and,
    // when user consists are on show, reads them again and selects the row named by rowNamed(),
    // leaving the reader's choice of row 0 when no row has the name. "Consist saved." follows.
    virtual void consistSaved(const std::string& name) = 0;
};

// What the window knows of the consist list when it saves.
struct SaveContext {
    // The row chosen in the consist list while user consists are on show. When its name is the
    // name saved, its own template is the one replaced, never another of the same name.
    std::optional<ListedRow> chosenRow;
    // The catalogue the consists were read with. A replaced template's units that it does not hold
    // would be left out: that is asked first. Without it nothing is asked.
    std::optional<std::vector<std::string>> catalogue;
};

// Saves the consist line into the game's user-consist file under the typed name: a new file holds
// just that template; an existing one is converted to XML, the new template is added after the
// others (or in place of the one of the same name, after asking), and the document converted back.
// The game's file changes only through a whole-file replace after the converter accepted the
// document; on any failure it stays as it was.
class UserConsistSaver {
public:
    // The lock on the game's file is waited for up to lockPatience (another program's save).
    UserConsistSaver(ConsistFileServices& services, RandomSource& random,
                     std::chrono::milliseconds lockPatience = UserConsistFileLock::kPatience)
        : services_(services), random_(random), lockPatience_(lockPatience) {}

    // units: the consist line's unit texts from the head, each a record + "|" + heading flag. The
    // name is text, as typed.
    SaveResult saveUserConsist(std::string_view nameBoxText, const std::vector<std::string>& units,
                               const std::filesystem::path& contentFolder, SaveObserver& observer,
                               const SaveContext& context = {});

private:
    ConsistFileServices& services_;
    RandomSource& random_;
    std::chrono::milliseconds lockPatience_;
};

} // namespace dovrel

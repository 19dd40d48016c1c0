// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/ConsistFileServices.h"
#include "consistfiles/TemplateScan.h"

#include <filesystem>
#include <optional>
#include <string>

namespace dovrel {

enum class DeleteResult {
    NothingChosen,  // no row chosen: nothing happens, no message
    NotUserConsist, // scenario consists are on show
    NotFound,       // the chosen row's template is no longer in the file
    NotRead,        // the file could not be copied or converted to XML
    NotDeleted,     // No or Cancel to "Okay to delete?"
    NotWritten,     // tempc.xml or the game's file could not be written
    Rejected,       // the converter refused the document, now kept as error.xml
    Deleted,        // the file holds the other templates
    LastDeleted,    // no template of any kind was left: the file is gone
};

// The window's part of a delete.
class DeleteObserver {
public:
    virtual ~DeleteObserver() = default;
    // Templates are left: the window reads the user consists again, selects the first row when
    // there is one, and enables Open VT User Consists. "Consist deleted." follows.
    virtual void consistDeleted() = 0;
    // The last template went and the file with it: the window empties the consist list and its
    // heading and disables Open VT User Consists. The "No more user consists." message follows.
    virtual void lastConsistDeleted() = 0;
};

// Deletes the chosen user consist from the game's user-consist file. The consist is the template
// the chosen row was listed from, known by its place among the file's templates and its row text
// (d:id and name): never another template that happens to carry the same or a similar name. The
// game's file is replaced only after the converter accepted the rewritten document, or deleted when
// it holds no template of any kind any more (a template with d:id 0, which is not listed, keeps
// it); on any failure it stays as it was.
class UserConsistDeleter {
public:
    explicit UserConsistDeleter(ConsistFileServices& services) : services_(services) {}

    // chosenRow: the chosen row (its place and its text: identifier, tab, name), none when no row
    // is chosen. userConsistsOnShow: the list heading reads "User Consists".
    DeleteResult deleteUserConsist(const std::optional<ListedRow>& chosenRow, bool userConsistsOnShow,
                                   const std::filesystem::path& contentFolder, DeleteObserver& observer);

private:
    ConsistFileServices& services_;
};

} // namespace dovrel

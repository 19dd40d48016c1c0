// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/ConsistListing.h"

#include <string>

namespace dovrel {

// The window's part of a consist read, called as the read goes on. The listing itself is the
// reader's result; afterwards the window sets the heading, selects row 0 and updates the commands.
class ConsistReadObserver {
public:
    virtual ~ConsistReadObserver() = default;

    // The consist list, the list heading, the chosen-consist label and the unit list view are to be
    // emptied, and the delete command disabled.
    virtual void listReset() = 0;
    // A row is appended to the consist list.
    virtual void rowListed(const ConsistRow& row) = 0;
    // The progress label's caption; the empty text when reading ends.
    virtual void progressShown(const std::string& caption) = 0;
    // The busy pointer is shown while the scenario walk runs, and taken away after it.
    virtual void busyPointerShown(bool busy) = 0;
};

} // namespace dovrel

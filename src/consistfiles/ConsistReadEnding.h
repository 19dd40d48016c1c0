// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/ConsistFileServices.h"
#include "consistfiles/ConsistListing.h"
#include "consistfiles/ConsistReadObserver.h"

namespace dovrel {

// The last steps that both consist readers share: the progress label emptied, the final ":" of
// every listed consist removed, notfound.txt written when units were missing (a read that found
// every unit leaves an earlier notfound.txt alone), and the note that the table ran full.
void endConsistRead(ConsistFileServices& services, ConsistReadObserver& observer, ConsistReadResult& result);

// The blueprint's file name: the text after its last "\", or the whole blueprint without one.
std::string_view blueprintFileName(std::string_view blueprint);

} // namespace dovrel

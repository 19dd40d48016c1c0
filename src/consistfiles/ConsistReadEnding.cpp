// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ConsistReadEnding.h"

#include "consistfiles/ConsistFileMessages.h"

namespace dovrel {

void endConsistRead(ConsistFileServices& services, ConsistReadObserver& observer, ConsistReadResult& result) {
    observer.progressShown("");
    if (!result.missingUnits.empty()) {
        // The read goes on without the list of missing units, but the user hears of it.
        if (const FileStatus written = services.files.replace(services.notFoundFile(), result.missingUnits);
            !written.ok) {
            services.messages.warn(fileNotWrittenText(services.notFoundFile(), written));
        }
        services.events.pump();
    }
}

std::string_view blueprintFileName(std::string_view blueprint) {
    const std::size_t slash = blueprint.rfind('\\');
    return slash == std::string_view::npos ? blueprint : blueprint.substr(slash + 1);
}

} // namespace dovrel

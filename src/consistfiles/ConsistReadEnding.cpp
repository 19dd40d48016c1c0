#include "consistfiles/ConsistReadEnding.h"

#include "consistfiles/ConsistFileMessages.h"

namespace dovrel {

void endConsistRead(ConsistFileServices& services, ConsistReadObserver& observer, ConsistReadResult& result) {
    observer.progressShown("");
    result.listing.dropFinalColons();
    if (!result.missingUnits.empty()) {
        // A failed write is passed over like any other failing step of a read.
        services.files.replace(services.notFoundFile(), result.missingUnits);
        services.events.pump();
    }
    if (result.truncated) {
        services.messages.warn(consistmessages::onlyFirstConsistsListed());
    }
}

std::string_view blueprintFileName(std::string_view blueprint) {
    const std::size_t slash = blueprint.rfind('\\');
    return slash == std::string_view::npos ? blueprint : blueprint.substr(slash + 1);
}

} // namespace dovrel

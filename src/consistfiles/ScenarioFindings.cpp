// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ScenarioFindings.h"

namespace dovrel {

void ScenarioFindings::consistOpened(const std::string& identifier) {
    findings_.push_back({Kind::ConsistOpened, identifier, {}, {}});
}

void ScenarioFindings::vehicleClosed(const std::string& identifier, const std::string& blueprint,
                                     const std::string& heading) {
    findings_.push_back({Kind::VehicleClosed, identifier, blueprint, heading});
}

void ScenarioFindings::consistClosed(const std::string& identifier, const std::string& serviceName) {
    findings_.push_back({Kind::ConsistClosed, identifier, serviceName, {}});
}

void ScenarioFindings::passTo(ScenarioConsistScan::Listener& listener) const {
    for (const Finding& finding : findings_) {
        switch (finding.kind) {
        case Kind::ConsistOpened:
            listener.consistOpened(finding.identifier);
            break;
        case Kind::VehicleClosed:
            listener.vehicleClosed(finding.identifier, finding.blueprintOrServiceName, finding.heading);
            break;
        case Kind::ConsistClosed:
            listener.consistClosed(finding.identifier, finding.blueprintOrServiceName);
            break;
        }
    }
}

} // namespace dovrel

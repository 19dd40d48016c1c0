// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/ScenarioConsistScan.h"

#include <string>
#include <vector>

namespace dovrel {

// What the scan of one scenario reported, kept in order until the scenario is known to have
// converted; then passed on to the listener that lists it, as if that listener had scanned the
// lines itself. Collecting touches nothing else, so it may run on any thread.
class ScenarioFindings final : public ScenarioConsistScan::Listener {
public:
    void consistOpened(const std::string& identifier) override;
    void vehicleClosed(const std::string& identifier, const std::string& blueprint,
                       const std::string& heading) override;
    void consistClosed(const std::string& identifier, const std::string& serviceName) override;

    // Reports everything found, in the order it was found.
    void passTo(ScenarioConsistScan::Listener& listener) const;

private:
    enum class Kind { ConsistOpened, VehicleClosed, ConsistClosed };
    struct Finding {
        Kind kind;
        std::string identifier;
        std::string blueprintOrServiceName;
        std::string heading;
    };
    std::vector<Finding> findings_;
};

} // namespace dovrel

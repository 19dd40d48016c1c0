// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/ScenarioConsistScan.h"

#include <cstddef>
#include <string>
#include <unordered_map>

namespace dovrel {

// What the scan of one scenario reported, kept in order as its findings text (ScenarioFindingsText)
// until the scenario is known to have converted; then replayed to the listing, and kept in the
// scenario index as it is. Collecting touches nothing else, so it may run on any thread.
class ScenarioFindings final : public ScenarioConsistScan::Listener {
public:
    void consistOpened(const std::string& identifier) override;
    void vehicleClosed(const std::string& identifier, const std::string& blueprint,
                       const std::string& heading) override;
    void consistClosed(const std::string& identifier, const std::string& serviceName) override;

    const std::string& text() const { return text_; }
    std::string takeText() { return std::move(text_); }

private:
    void putKind(char kind, const std::string& identifier);

    std::string text_;
    std::string identifier_;
    bool first_ = true;
    std::unordered_map<std::string, std::size_t> blueprints_;
};

} // namespace dovrel

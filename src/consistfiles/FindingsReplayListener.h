// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace dovrel {

// Hears the findings of one scenario's scan as its findings text holds them, in the order found:
// each blueprint path once, numbered from 0 in the order met, before the first vehicle that names
// it by that number; so what is done for a blueprint is done once a scenario instead of once a
// vehicle. Every view points into the findings text and lasts as long as it.
class FindingsReplayListener {
public:
    virtual ~FindingsReplayListener() = default;
    virtual void blueprintMet(std::string_view blueprint) = 0;
    virtual void consistOpened(std::string_view identifier) = 0;
    // heading is "0" (forward) or "1" (reversed).
    virtual void vehicleClosed(std::string_view identifier, std::size_t blueprintNumber,
                               std::string_view heading) = 0;
    // serviceName is empty when the consist's driver has none.
    virtual void consistClosed(std::string_view identifier, std::string_view serviceName) = 0;
};

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace dovrel {

// Walks the lines of one scenario's XML and reports each consist's vehicles and its close. Lines
// are trimmed of spaces; tags are found anywhere in a line, ignoring case. A new scan starts
// outside any consist.
class ScenarioConsistScan {
public:
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void consistOpened(const std::string& identifier) = 0;
        // A vehicle closed; heading is "0" (forward) or "1" (reversed).
        virtual void vehicleClosed(const std::string& identifier, const std::string& blueprint,
                                   const std::string& heading) = 0;
        // serviceName is empty when the consist's driver has none.
        virtual void consistClosed(const std::string& identifier, const std::string& serviceName) = 0;
    };

    explicit ScenarioConsistScan(Listener& listener) : listener_(listener) {}

    void scanLine(std::string_view line);
    // The end of the record was met; later lines are not looked at.
    bool finished() const { return finished_; }

private:
    class TagPlaces;
    void scanInsideConsist(std::string_view line, const TagPlaces& tags);
    void scanByState(std::string_view line, const TagPlaces& tags);

    Listener& listener_;
    bool inside_ = false;
    bool finished_ = false;
    int state_ = 0;
    // Blueprint and heading carry over between the vehicles of one consist.
    std::string identifier_;
    std::string serviceName_;
    std::string blueprint_;
    std::string heading_;
};

} // namespace dovrel

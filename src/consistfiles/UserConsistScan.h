#pragma once

#include <string>
#include <string_view>

namespace dovrel {

// Walks the lines of a user-consist file's XML, one at a time, and reports every template entry
// and every template as it closes. Lines are trimmed of spaces; tags are found anywhere in a line,
// ignoring case.
class UserConsistScan {
public:
    class Listener {
    public:
        virtual ~Listener() = default;
        // An entry closed; heading is "0" (forward) or "1" (reversed).
        virtual void unitClosed(const std::string& blueprint, const std::string& heading) = 0;
        virtual void templateClosed(const std::string& identifier, const std::string& name) = 0;
    };

    explicit UserConsistScan(Listener& listener) : listener_(listener) {}

    void scanLine(std::string_view line);

private:
    void scanInsideTemplate(std::string_view line);

    Listener& listener_;
    bool inside_ = false;
    int state_ = 0;
    // Name, blueprint and heading carry over between the entries of one template: an entry that
    // lacks a line reuses the previous entry's value, as do lines whose value cannot be cut.
    std::string identifier_;
    std::string name_;
    std::string blueprint_;
    std::string heading_;
};

// A Flipped value: "0" stays forward, anything else ("1", "true", ...) is reversed.
std::string headingFromFlipped(std::string_view value);

} // namespace dovrel

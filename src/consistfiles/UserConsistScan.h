// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dovrel {

// A template entry as the scan read it: the unit's provider and product (none when the template
// has not named them) and its blueprint path, as written in the file, and its heading.
struct TemplateUnit {
    std::optional<std::string> provider;
    std::optional<std::string> product;
    std::string blueprint;
    std::string heading; // "0" (forward) or "1" (reversed)
};

// Walks the lines of a user-consist file's XML, one at a time, and reports every template entry
// and every template as it closes. Lines are trimmed of spaces; tags are found anywhere in a line,
// ignoring case. A template written on one line (<cConsistTemplate d:id="5"/>) is an empty template
// of its own.
class UserConsistScan {
public:
    class Listener {
    public:
        virtual ~Listener() = default;
        // An entry closed.
        virtual void unitClosed(const TemplateUnit& unit) = 0;
        virtual void templateClosed(const std::string& identifier, const std::string& name) = 0;
    };

    explicit UserConsistScan(Listener& listener) : listener_(listener) {}

    void scanLine(std::string_view line);

private:
    void scanInsideTemplate(std::string_view line);

    Listener& listener_;
    bool inside_ = false;
    int state_ = 0;
    // Name, provider, product, blueprint and heading carry over between the entries of one
    // template: an entry that lacks a line reuses the previous entry's value, as do lines whose
    // value cannot be cut.
    std::string identifier_;
    std::string name_;
    TemplateUnit unit_;
};

// A Flipped value: "0" stays forward, anything else ("1", "true", ...) is reversed.
std::string headingFromFlipped(std::string_view value);

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace dovrel {

// A list of unit texts that never changes once made. Copies share one list, so a whole line kept by
// several edits (the line a View replaced, and the same line loaded by the View before) is held once.
// An empty list holds nothing at all.
class SharedUnits {
public:
    SharedUnits() = default;
    SharedUnits(std::vector<std::string> units); // NOLINT(google-explicit-constructor): a list of units
    SharedUnits(std::initializer_list<std::string> units);
    template <typename Iterator>
    SharedUnits(Iterator first, Iterator last) : SharedUnits(std::vector<std::string>(first, last)) {}

    const std::vector<std::string>& units() const;
    std::vector<std::string>::const_iterator begin() const { return units().begin(); }
    std::vector<std::string>::const_iterator end() const { return units().end(); }
    std::size_t size() const { return units_ ? units_->size() : 0; }
    bool empty() const { return size() == 0; }

    // The same list for every copy, nullptr for an empty one.
    const void* identity() const { return units_.get(); }
    // About what the list costs in memory: the table, the texts' own storage and the shared block.
    std::size_t bytes() const;

    bool operator==(const SharedUnits& other) const;

private:
    std::shared_ptr<const std::vector<std::string>> units_;
};

// The storage a text holds beyond the string object: none while it fits the short-text buffer.
std::size_t textStorageBytes(const std::string& text);

} // namespace dovrel

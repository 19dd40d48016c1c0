// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "RecordView.h"

namespace serz {

// Checks that records form one tree: a single root element opened first, every close matching
// the innermost open element, nothing after the root is closed. Both readers and both writers
// feed their records through one of these.
class StructureCheck {
public:
    // The reason the record cannot come next, or nullopt when it can.
    std::optional<std::string> accept(const RecordView& record);

    // The reason the records cannot end here, or nullopt when they can.
    std::optional<std::string> finish() const;

    std::size_t depth() const { return depth_; }

private:
    // Names of the open elements, innermost at depth_ - 1; entries past depth_ are kept only to
    // reuse their storage.
    std::vector<std::string> open_;
    std::size_t depth_ = 0;
    bool started_ = false;
};

} // namespace serz

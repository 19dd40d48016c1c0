// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <unordered_set>

namespace dovrel {

// One coupler check box (`chkCoupler` element 1 upward) as the lists read it: its caption and state.
// The caption text is only viewed; it must outlive the filter or rebuild that reads it.
struct CouplerBox {
    std::string_view caption;
    bool checked = false;
};

// The coupler test of both list builders, made once per rebuild from the check boxes: a unit passes
// when the short name of its front or of its rear coupling ID equals, ignoring case, the coupler name
// of a checked box. With no box checked no unit passes.
class CouplerFilter {
public:
    explicit CouplerFilter(std::span<const CouplerBox> boxes);

    bool unitPassesCouplerFilter(std::string_view frontCouplingId, std::string_view rearCouplingId) const;

private:
    bool isChecked(std::string_view couplingId) const;

    std::unordered_set<std::string> checkedNames_; // in lower case
};

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace dovrel {

// A run of rows of a list: its first row and how many rows it has.
struct RowRun {
    std::size_t first = 0;
    std::size_t count = 0;
    bool operator==(const RowRun&) const = default;
};

// How a list showing `before` comes to show `after` by inserting rows alone, when it can: the runs
// of `after` that `before` lacks, in order, each run's first row as it stands in `after`. Inserting
// them first to last into `before` gives `after`. Empty optional when `before` is not `after` with
// some rows taken out (a row of `before` that `after` lacks, or the rows in another order).
std::optional<std::vector<RowRun>> insertedRuns(std::span<const std::string_view> before,
                                                std::span<const std::string_view> after);

// How many rows already listed the runs move as they are inserted first to last into a list of
// `before` rows: each run moves the rows of `before` that come after it.
std::size_t rowsMovedByInserting(std::span<const RowRun> runs, std::size_t before);

} // namespace dovrel

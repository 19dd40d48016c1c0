// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ListInsertions.h"

namespace dovrel {

std::optional<std::vector<RowRun>> insertedRuns(std::span<const std::string_view> before,
                                                std::span<const std::string_view> after) {
    if (before.size() > after.size()) {
        return std::nullopt;
    }
    // Each row of `before` is matched with the first equal row of `after` not yet passed: when
    // `before` is a subsequence of `after`, this finds it, and the rows passed over are inserted.
    std::vector<RowRun> runs;
    std::size_t kept = 0;
    for (std::size_t row = 0; row < after.size(); ++row) {
        if (kept < before.size() && after[row] == before[kept]) {
            ++kept;
        } else if (!runs.empty() && runs.back().first + runs.back().count == row) {
            ++runs.back().count;
        } else {
            runs.push_back({row, 1});
        }
        // The rows left in `after` cannot hold the rows left in `before`.
        if (after.size() - row - 1 < before.size() - kept) {
            return std::nullopt;
        }
    }
    return runs;
}

std::size_t rowsMovedByInserting(std::span<const RowRun> runs, std::size_t before) {
    std::size_t moved = 0;
    std::size_t inserted = 0;
    for (const RowRun& run : runs) {
        // The rows of `before` ahead of the run are the rows ahead of it that no earlier run inserted.
        const std::size_t ahead = run.first - inserted;
        moved += run.count * (before - ahead);
        inserted += run.count;
    }
    return moved;
}

} // namespace dovrel

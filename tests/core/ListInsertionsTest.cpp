// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ListInsertions.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

std::vector<std::string_view> rowsOf(std::string_view letters) {
    std::vector<std::string_view> rows;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        rows.push_back(letters.substr(i, 1));
    }
    return rows;
}

// Inserting the runs first to last into the rows before gives the rows after, whatever repeats.
std::vector<std::string_view> inserted(std::vector<std::string_view> rows,
                                       std::span<const std::string_view> after,
                                       const std::vector<RowRun>& runs) {
    for (const RowRun& run : runs) {
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(run.first),
                    after.begin() + static_cast<std::ptrdiff_t>(run.first),
                    after.begin() + static_cast<std::ptrdiff_t>(run.first + run.count));
    }
    return rows;
}

TEST(ListInsertions, FindTheRunsALongerListAddsAndNothingWhenRowsWereTakenOut) {
    const struct {
        std::string_view before;
        std::string_view after;
        std::optional<std::vector<RowRun>> runs;
    } cases[] = {
        {"", "", std::vector<RowRun>{}},
        {"abc", "abc", std::vector<RowRun>{}},
        {"", "ab", std::vector<RowRun>{{0, 2}}},
        {"c", "abcde", std::vector<RowRun>{{0, 2}, {3, 2}}},
        {"bd", "abcde", std::vector<RowRun>{{0, 1}, {2, 1}, {4, 1}}},
        {"aa", "aaaa", std::vector<RowRun>{{2, 2}}},
        {"ab", "aab", std::vector<RowRun>{{1, 1}}},
        {"ba", "aab", std::nullopt},   // another order
        {"abc", "ab", std::nullopt},   // a row taken out
        {"abx", "abcd", std::nullopt}, // a row the longer list lacks
        {"abc", "xyz", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::vector<std::string_view> before = rowsOf(c.before);
        const std::vector<std::string_view> after = rowsOf(c.after);
        const std::optional<std::vector<RowRun>> runs = insertedRuns(before, after);
        EXPECT_EQ(runs, c.runs) << c.before << " -> " << c.after;
        if (runs) {
            EXPECT_EQ(inserted(before, after, *runs), after) << c.before << " -> " << c.after;
        }
    }
}

TEST(ListInsertions, CountTheListedRowsEachRunMoves) {
    const struct {
        std::string_view before;
        std::string_view after;
        std::size_t moved;
    } cases[] = {
        {"", "ab", 0},           {"abc", "abcde", 0}, // added at the end
        {"c", "abcde", 2},                            // two ahead of "c", none after it
        {"bd", "abcde", 2 + 1},                       // "a" moves "bd", "c" moves "d"
        {"cd", "abcdxy", 2 * 2},                      // one run of two ahead of both
    };
    for (const auto& c : cases) {
        const std::optional<std::vector<RowRun>> runs = insertedRuns(rowsOf(c.before), rowsOf(c.after));
        ASSERT_TRUE(runs) << c.before << " -> " << c.after;
        EXPECT_EQ(rowsMovedByInserting(*runs, c.before.size()), c.moved) << c.before << " -> " << c.after;
    }
}

} // namespace
} // namespace dovrel

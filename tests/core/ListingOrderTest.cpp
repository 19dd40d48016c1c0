#include "core/ListingOrder.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

TEST(ListingOrder, FoldsLowerCaseUpAndBreaksTiesByBytesStrictly) {
    std::vector<std::string> names = {"_Common", "Zeta", "abc", "ABC", "Abc",
                                      "a",       "zz",   "Z_",  "Z9",  "\xC3\x84rger"};
    sortInListingOrder(names);
    const std::vector<std::string> expected = {"a",    "ABC", "Abc", "abc",     "Z9",
                                               "Zeta", "zz",  "Z_",  "_Common", "\xC3\x84rger"};
    EXPECT_EQ(names, expected);
    // A strict order.
    EXPECT_FALSE(listingLess("abc", "abc"));
    EXPECT_TRUE(listingLess("ABC", "abc"));
    EXPECT_FALSE(listingLess("abc", "ABC"));
    EXPECT_TRUE(listingLess("ab", "abc"));
}

} // namespace
} // namespace dovrel

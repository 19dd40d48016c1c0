// SPDX-License-Identifier: GPL-3.0-or-later
// main() of the widget tests: an offscreen QApplication that lives for the whole test run. Listing
// the tests (ctest does that for every target when it starts) needs none.
#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0); // unless set
    bool listing = false;
    for (int i = 1; i < argc; ++i) {
        listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    }
    std::optional<QApplication> application;
    if (!listing) {
        application.emplace(argc, argv);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

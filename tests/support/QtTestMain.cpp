// SPDX-License-Identifier: GPL-3.0-or-later
// main() of the widget tests: an offscreen QApplication that lives for the whole test run.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0); // unless set
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/WindowZoom.h"
#include "widgets/ControlText.h"
#include "widgets/Fonts.h"
#include "widgets/Twips.h"

#include <QListWidget>
#include <QWidget>

#include <gtest/gtest.h>

namespace dovrel {
namespace {

// The rows of a list that keep the size they were measured at (the consist list's) are measured
// again when the window is zoomed, so no row of the larger font is cut to the smaller one's height.
TEST(WindowZoom, RowsKeptAtTheirMeasuredSizeAreMeasuredAgain) {
    QWidget window;
    setDesignedFont(&window, dialogFont());
    auto* list = new QListWidget(&window);
    placeInTwips(list, {0, 0, 6000, 3000});
    addMeasuredItem(list, "1234\tAlpha", "1234\tAlpha");
    const QSize actualSize = list->item(0)->data(Qt::SizeHintRole).toSize();

    zoomWindow(&window, 200);
    auto* fresh = new QListWidget(&window);
    addItem(fresh, "1234\tAlpha");
    const QSize zoomed = fresh->sizeHintForIndex(fresh->model()->index(0, 0));
    EXPECT_GT(zoomed.height(), actualSize.height());
    EXPECT_EQ(list->item(0)->data(Qt::SizeHintRole).toSize(), zoomed);
    EXPECT_EQ(list->visualItemRect(list->item(0)).height(), zoomed.height());
}

} // namespace
} // namespace dovrel

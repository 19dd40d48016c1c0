// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ControlText.h"
#include "widgets/TabStopDelegate.h"

#include <QApplication>
#include <QListWidget>
#include <QProxyStyle>
#include <QStyleOptionViewItem>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace dovrel {
namespace {

// A style that notes every list row it measures, and how long the measured text was.
class MeasuringStyle final : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (type == CT_ItemViewItem) {
            if (const auto* row = qstyleoption_cast<const QStyleOptionViewItem*>(option)) {
                measured.push_back(row->text.size());
            }
        }
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
    mutable std::vector<qsizetype> measured;
};

// A list that grows a row at a time while the window processes its events (as a read of the
// consists fills the consist list) measures each row once, and a row of a very long name by its
// first characters: the time to fill it grows with its rows' text, not with its square.
TEST(ListRows, AreMeasuredOnceAndALongRowByItsFirstCharacters) {
    QListWidget list;
    auto* style = new MeasuringStyle;
    style->setParent(&list);
    list.setStyle(style);
    list.setItemDelegate(new TabStopDelegate(72, &list));
    list.resize(400, 160);
    list.show();

    constexpr int kRows = 60;
    for (int row = 0; row < kRows; ++row) {
        const std::string name(row == kRows - 1 ? 100000 : 20, 'n');
        const std::string text = std::to_string(row) + "\t" + name;
        addMeasuredItem(&list, text, text);
        QApplication::processEvents();
    }
    list.doItemsLayout();
    QApplication::processEvents();

    EXPECT_EQ(style->measured.size(), static_cast<std::size_t>(kRows)) << "every row once, as it joined";
    EXPECT_LE(*std::max_element(style->measured.begin(), style->measured.end()),
              TabStopDelegate::kMeasuredCharacters);
    // The long row is as wide as its measured part in proportion, and can be scrolled to its end.
    const QSize longRow = list.item(kRows - 1)->data(Qt::SizeHintRole).toSize();
    const QSize shortRow = list.item(0)->data(Qt::SizeHintRole).toSize();
    EXPECT_EQ(longRow.height(), shortRow.height());
    EXPECT_GT(longRow.width(), 100000 / TabStopDelegate::kMeasuredCharacters * shortRow.width() / 2);
}

} // namespace
} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ControlText.h"
#include "widgets/TabStopDelegate.h"
#include "widgets/TextWidths.h"
#include "widgets/WidestRowDelegate.h"

#include <QApplication>
#include <QListWidget>
#include <QProxyStyle>
#include <QScrollBar>
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

// Each row's text and the bytes kept beside it, if any.
std::vector<std::pair<QString, QByteArray>> rowsOf(const QListWidget& list) {
    std::vector<std::pair<QString, QByteArray>> rows;
    for (int row = 0; row < list.count(); ++row) {
        rows.emplace_back(list.item(row)->text(), list.item(row)->data(kItemBytesRole).toByteArray());
    }
    return rows;
}

// A list filled again and again shows exactly what a list filled once with the same items shows,
// nothing chosen, whether a fill inserts the rows it lacks among those it keeps or fills it anew;
// also after something else changed its rows or an item was chosen.
TEST(ListRows, EachFillShowsItsItemsAsAFreshListDoes) {
    enum class Before { Nothing, RowAdded, ItemChosen };
    const struct {
        Before before;
        std::vector<std::string_view> items;
    } fills[] = {
        {Before::Nothing, {"Unit 1", "Unit 10", "Caf\xC3\xA9", "Unit 2"}},
        {Before::Nothing, {"Unit 10"}},
        {Before::Nothing, {"Unit 1", "Unit 10", "Unit 2"}},
        {Before::Nothing, {"Unit 1", "Unit 10", "Unit 2"}},
        {Before::Nothing, {"x\x80y", "Unit 1", "Unit 10", "Unit 1", "Unit 2", "Caf\xC3\xA9"}},
        {Before::RowAdded, {"x\x80y", "Unit 1", "Unit 10", "Unit 1", "Unit 2", "Caf\xC3\xA9", "Z"}},
        {Before::ItemChosen, {"x\x80y", "Unit 1", "Unit 10", "Unit 1", "Unit 2", "Caf\xC3\xA9", "Z", "Y"}},
        {Before::Nothing, {}},
        {Before::Nothing, {"Other"}},
    };
    QListWidget list;
    for (const auto& fill : fills) {
        if (fill.before == Before::RowAdded) {
            addItem(&list, "added");
        } else if (fill.before == Before::ItemChosen) {
            list.setCurrentRow(1);
        }
        setListItems(&list, fill.items);
        QListWidget fresh;
        setListItems(&fresh, fill.items);
        EXPECT_EQ(rowsOf(list), rowsOf(fresh)) << fill.items.size() << " items";
        EXPECT_EQ(list.currentRow(), -1);
        EXPECT_TRUE(list.selectedItems().isEmpty());
    }
}

// A text is measured at least as wide as it is laid out, in any size of the font: the widest row is
// never narrower than its text.
TEST(TextWidths, AreNeverNarrowerThanTheTextLaidOut) {
    const QString texts[] = {QString(), QStringLiteral("Unit 12345 steam"), QStringLiteral("AVAVA Te Ty WAW"),
                             QStringLiteral("iiiiiiiiiiiiiiiiiiiiiiiiiiiiii"),
                             QStringLiteral("Zahnradlok HGe 4/4 \u00abS\u00e4ntis\u00bb")};
    for (const int pointSize : {6, 9, 13, 27}) {
        QFont font = QApplication::font();
        font.setPointSize(pointSize);
        const TextWidths widths(font);
        const QFontMetrics laidOut(font);
        for (const QString& text : texts) {
            EXPECT_GE(widths.of(text), laidOut.horizontalAdvance(text))
                << text.toStdString() << ", " << pointSize;
        }
    }
}

// Rows of one size, told the widest text, are each as wide as their text or wider, in the list's font
// and after it changes, so that a narrow list scrolls to the end of its longest name.
TEST(ListRows, OfOneSizeAreAsWideAsTheWidestText) {
    QListWidget list;
    list.setUniformItemSizes(true);
    auto* rows = new WidestRowDelegate(&list);
    list.setItemDelegate(rows);
    list.resize(60, 120);
    const std::vector<std::string_view> items = {"a", "Class 66 (Acme, Heritage, Twin\\a.xml)", "b"};
    setListItems(&list, items);
    int widest = 0;
    for (int row = 0; row < list.count(); ++row) {
        widest = std::max(widest, list.fontMetrics().horizontalAdvance(list.item(row)->text()));
    }
    rows->setWidestText(widest);
    list.show();
    for (const int pointSize : {0, 3 * list.font().pointSize()}) {
        if (pointSize > 0) {
            QFont larger = list.font();
            larger.setPointSize(pointSize);
            list.setFont(larger);
        }
        QApplication::processEvents();
        for (int row = 0; row < list.count(); ++row) {
            EXPECT_GE(list.visualItemRect(list.item(row)).width(),
                      list.fontMetrics().horizontalAdvance(list.item(row)->text()))
                << "row " << row << ", font " << list.font().pointSize();
        }
        EXPECT_GT(list.horizontalScrollBar()->maximum(), 0);
    }
}

} // namespace
} // namespace dovrel

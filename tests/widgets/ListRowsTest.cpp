// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ListRows.h"
#include "widgets/ControlText.h"
#include "widgets/ListRowsView.h"
#include "widgets/TabStopDelegate.h"
#include "widgets/TextWidths.h"
#include "widgets/WidestRowDelegate.h"

#include <QAccessible>
#include <QApplication>
#include <QListWidget>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QTest>

#include <algorithm>
#include <memory>
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

// Rows made of names, as a browsing list's rows are made of its items.
class NameRows final : public ListRows {
public:
    explicit NameRows(std::vector<std::string_view> names) : names_(std::move(names)) {}
    std::size_t size() const override { return names_.size(); }
    const ListItemText& text(std::size_t row) const override {
        made_ = listItemText(names_[row]);
        return made_;
    }
    std::string_view bytes(std::size_t row) const override { return names_[row]; }

private:
    std::vector<std::string_view> names_;
    mutable ListItemText made_;
};

std::shared_ptr<const ListRows> rowsOf(std::vector<std::string_view> names) {
    return std::make_shared<NameRows>(std::move(names));
}

// A row is, to its view, to scripts and to screen readers, what an item addItem adds to a list widget
// is: its text, the bytes kept beside a text that does not give them back, its flags, its name.
TEST(ListRowsView, ShowsEachRowAsAListWidgetShowsItsItem) {
    const std::vector<std::string_view> names = {"Unit 1", "Caf\xC3\xA9", "Caf\xE9", "x\x80y", "A & B", ""};
    ListRowsView view;
    view.setRows(rowsOf(names));
    QListWidget items;
    for (const std::string_view name : names) {
        addItem(&items, name);
    }
    ASSERT_EQ(view.count(), items.count());
    for (int row = 0; row < view.count(); ++row) {
        const QModelIndex shown = view.model()->index(row, 0);
        const QModelIndex item = items.model()->index(row, 0);
        for (const int role : {int(Qt::DisplayRole), int(Qt::EditRole), int(Qt::CheckStateRole)}) {
            EXPECT_EQ(shown.data(role), item.data(role)) << "row " << row << ", role " << role;
        }
        EXPECT_EQ(shown.flags(), item.flags()) << "row " << row;
        EXPECT_EQ(view.text(row), items.item(row)->text());
        const std::string bytes(names[static_cast<std::size_t>(row)]);
        EXPECT_EQ(view.bytes(row), bytes);
        EXPECT_EQ(itemBytes(shown.data(kItemBytesRole), view.text(row)), bytes) << "row " << row;
        EXPECT_EQ(shown.data(kItemBytesRole).isValid(), bytes == "Caf\xE9" || bytes == "x\x80y")
            << "only a text that does not give its bytes back keeps them beside it";
    }
    view.show();
    items.show();
    QAccessibleTableInterface* spoken = QAccessible::queryAccessibleInterface(&view)->tableInterface();
    QAccessibleTableInterface* said = QAccessible::queryAccessibleInterface(&items)->tableInterface();
    ASSERT_TRUE(spoken != nullptr && said != nullptr);
    EXPECT_EQ(spoken->rowCount(), said->rowCount());
    for (int row = 0; row < view.count(); ++row) {
        EXPECT_EQ(spoken->cellAt(row, 0)->text(QAccessible::Name),
                  said->cellAt(row, 0)->text(QAccessible::Name));
        EXPECT_EQ(spoken->cellAt(row, 0)->role(), said->cellAt(row, 0)->role());
    }
}

// New rows leave none current or chosen, as a list cleared and filled again does; a row made current
// from code is chosen, and a key types ahead to the next row that starts with it.
TEST(ListRowsView, NewRowsLeaveNoneChosenAndRowsAreChosenAsAListWidgetsItems) {
    ListRowsView view;
    int changes = 0;
    QObject::connect(&view, &ListRowsView::itemSelectionChanged, [&changes] { ++changes; });
    view.setRows(rowsOf({"Alpha", "Bravo", "Beta", "Charlie"}));
    EXPECT_EQ(view.currentRow(), -1);
    EXPECT_EQ(view.chosenRow(), -1);

    view.setCurrentRow(1);
    EXPECT_EQ(view.currentRow(), 1);
    EXPECT_EQ(view.chosenRow(), 1);
    EXPECT_EQ(changes, 1);
    view.show();
    view.setFocus();
    QTest::keyClicks(&view, QStringLiteral("b"));
    EXPECT_EQ(view.chosenRow(), 2) << "the next row that starts with B";
    EXPECT_EQ(changes, 2);

    view.setRows(rowsOf({"Alpha", "Beta"}));
    EXPECT_EQ(view.currentRow(), -1);
    EXPECT_EQ(view.chosenRow(), -1);
    EXPECT_EQ(view.count(), 2);
    view.clear();
    EXPECT_EQ(view.count(), 0);
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
    ListRowsView list;
    list.setUniformItemSizes(true);
    auto* rows = new WidestRowDelegate(&list);
    list.setItemDelegate(rows);
    list.resize(60, 120);
    list.setRows(rowsOf({"a", "Class 66 (Acme, Heritage, Twin\\a.xml)", "b"}));
    int widest = 0;
    for (int row = 0; row < list.count(); ++row) {
        widest = std::max(widest, list.fontMetrics().horizontalAdvance(list.text(row)));
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
            EXPECT_GE(list.rowRect(row).width(), list.fontMetrics().horizontalAdvance(list.text(row)))
                << "row " << row << ", font " << list.font().pointSize();
        }
        EXPECT_GT(list.horizontalScrollBar()->maximum(), 0);
    }
}

} // namespace
} // namespace dovrel

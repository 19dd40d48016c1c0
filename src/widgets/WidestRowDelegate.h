// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

namespace dovrel {

// Draws a list's items as the standard delegate does and sizes every row as its widest item. A list
// of uniform rows (QListView::setUniformItemSizes) sizes all rows as its first and lays tens of
// thousands of rows out without measuring each; with this delegate it still scrolls to the end of
// its widest item and shows every text whole. Whoever fills the list tells it its widest text; when
// the list's font changes, it measures the rows again itself.
class WidestRowDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit WidestRowDelegate(QAbstractItemView* list);

    // The width in pixels, in the list's font, of the widest text the list's rows hold (as
    // TextWidths measures it).
    void setWidestText(int pixels) { widestText_ = pixels; }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractItemView* list_;
    int widestText_ = 0;
};

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/WidestRowDelegate.h"

#include "widgets/TextWidths.h"

#include <QAbstractItemView>
#include <QEvent>
#include <algorithm>

namespace dovrel {

WidestRowDelegate::WidestRowDelegate(QAbstractItemView* list) : QStyledItemDelegate(list), list_(list) {
    list->installEventFilter(this);
}

QSize WidestRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    // The row's own text replaced by the widest one, the margins around it kept.
    const int own = item.fontMetrics.horizontalAdvance(item.text);
    if (widestText_ > own) {
        size.rwidth() += widestText_ - own;
    }
    return size;
}

bool WidestRowDelegate::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_) {
        return QStyledItemDelegate::eventFilter(watched, event); // an editor's events
    }
    // The list lays its rows out again after a change of its font; by then they have their new width.
    if (event->type() == QEvent::FontChange) {
        const TextWidths widths(list_->font());
        widestText_ = 0;
        const QAbstractItemModel* rows = list_->model();
        for (int row = 0; row < rows->rowCount(); ++row) {
            widestText_ = std::max(widestText_, widths.of(rows->index(row, 0).data().toString()));
        }
    }
    return false; // the list's own events go on to the list
}

} // namespace dovrel

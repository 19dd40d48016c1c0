// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TabStopDelegate.h"

#include "widgets/Twips.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace dovrel {

int TabStopDelegate::nameOffset(int identifierWidth, int stepPixels) {
    if (stepPixels <= 0) {
        return identifierWidth;
    }
    return (identifierWidth / stepPixels + 1) * stepPixels;
}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    const QString text = plain.text;
    plain.text.clear();
    const QStyle* style = plain.widget != nullptr ? plain.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);

    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    const QString identifier = tab < 0 ? text : text.left(tab);
    QString name = tab < 0 ? QString() : text.mid(tab + 1).replace(QLatin1Char('\t'), QLatin1Char(' '));
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &plain, plain.widget);
    // A name far longer than the list is wide is drawn only as far as it can show: every character
    // takes at least a pixel, so the ones past the list's right edge are left out of the layout.
    if (plain.widget != nullptr) {
        const qsizetype showable = std::max(0, plain.widget->width() - area.left()) + 1;
        if (name.size() > showable) {
            name.truncate(showable);
        }
    }
    painter->save();
    painter->setFont(plain.font);
    painter->setPen(plain.palette.color(plain.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                             : QPalette::Text));
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, identifier);
    if (!name.isEmpty()) {
        const int step = plain.widget != nullptr
                             ? twipsToPixels(pixelsToTwips(step_, kActualSize), zoomOf(plain.widget))
                             : step_;
        const int offset = nameOffset(plain.fontMetrics.horizontalAdvance(identifier), step);
        painter->drawText(area.adjusted(offset, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, name);
    }
    painter->restore();
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    if (const QVariant kept = index.data(Qt::SizeHintRole); kept.isValid()) {
        return kept.toSize();
    }
    QStyleOptionViewItem measured = option;
    initStyleOption(&measured, index);
    const qsizetype length = measured.text.size();
    if (length <= kMeasuredCharacters) {
        return QStyledItemDelegate::sizeHint(option, index);
    }
    measured.text.truncate(kMeasuredCharacters);
    const QStyle* style = measured.widget != nullptr ? measured.widget->style() : QApplication::style();
    QSize size = style->sizeFromContents(QStyle::CT_ItemViewItem, &measured, QSize(), measured.widget);
    const qint64 wide = static_cast<qint64>(size.width()) * length / kMeasuredCharacters;
    size.setWidth(static_cast<int>(std::min<qint64>(wide, QWIDGETSIZE_MAX)));
    return size;
}

} // namespace dovrel

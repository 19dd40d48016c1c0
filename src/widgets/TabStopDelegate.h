// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

namespace dovrel {

// Draws a list row "identifier TAB name" with the name at the first tab stop past the end of the
// identifier: the stops stand every `stepPixels` pixels from the left (72, 144, ...) at the actual
// size, and as many more as the list's window is zoomed.
class TabStopDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit TabStopDelegate(int stepPixels, QObject* parent = nullptr)
        : QStyledItemDelegate(parent), step_(stepPixels) {}

    // Where the name starts for an identifier of the given width.
    static int nameOffset(int identifierWidth, int stepPixels);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // A row's size: the one kept with its item (Qt::SizeHintRole) when there is one, else measured
    // as any list row is. A row longer than kMeasuredCharacters is measured by its first ones and
    // taken as wide in proportion, so that a name of thousands of characters costs no more to
    // measure than an ordinary one.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static constexpr qsizetype kMeasuredCharacters = 256;

private:
    int step_;
};

} // namespace dovrel

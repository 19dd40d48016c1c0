#pragma once

#include <QStyledItemDelegate>

namespace dovrel {

// Draws a list row "identifier TAB name" with the name at the first tab stop past the end of the
// identifier: the stops stand every `stepPixels` pixels from the left (72, 144, ...).
class TabStopDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit TabStopDelegate(int stepPixels, QObject* parent = nullptr)
        : QStyledItemDelegate(parent), step_(stepPixels) {}

    // Where the name starts for an identifier of the given width.
    static int nameOffset(int identifierWidth, int stepPixels);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    int step_;
};

} // namespace dovrel

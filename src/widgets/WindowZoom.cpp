// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/WindowZoom.h"

#include "widgets/Twips.h"

#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QTreeView>
#include <QVariant>
#include <algorithm>
#include <cmath>

namespace dovrel {

namespace {
constexpr const char* kDesignedFontProperty = "dovrelDesignedFont";
constexpr const char* kColumnTwipsProperty = "dovrelColumnTwips";

void showColumnWidths(QTreeView* view, int zoomPercent) {
    const QVariantMap columns = view->property(kColumnTwipsProperty).toMap();
    for (auto column = columns.begin(); column != columns.end(); ++column) {
        view->setColumnWidth(column.key().toInt(), twipsToPixels(column.value().toFloat(), zoomPercent));
    }
}
// Rows that keep the size they were measured at as they joined (addMeasuredItem) are measured again
// in the list's new font, each once; the list is laid out once afterwards.
void measureKeptRowsAgain(QListWidget* list) {
    {
        const QSignalBlocker quiet(list->model());
        for (int row = 0; row < list->count(); ++row) {
            QListWidgetItem* item = list->item(row);
            if (item->data(Qt::SizeHintRole).isValid()) {
                item->setData(Qt::SizeHintRole, QVariant());
                item->setData(Qt::SizeHintRole, list->sizeHintForIndex(list->indexFromItem(item)));
            }
        }
    }
    list->doItemsLayout();
}
} // namespace

QFont zoomedFont(const QFont& designed, int zoomPercent) {
    QFont font = designed;
    const double factor = static_cast<double>(zoomPercent) / kActualSize;
    if (designed.pointSizeF() > 0) {
        font.setPointSizeF(designed.pointSizeF() * factor);
    } else if (designed.pixelSize() > 0) {
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(designed.pixelSize() * factor))));
    }
    return font;
}

void setDesignedFont(QWidget* widget, const QFont& font) {
    widget->setProperty(kDesignedFontProperty, font);
    widget->setFont(zoomedFont(font, zoomOf(widget)));
}

void zoomWindow(QWidget* window, int zoomPercent) {
    window->setProperty(kZoomProperty, zoomPercent);
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        if (const QVariant designed = widget->property(kDesignedFontProperty); designed.isValid()) {
            widget->setFont(zoomedFont(designed.value<QFont>(), zoomPercent));
        } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
            // A menu is a window of its own and takes no font from the window it belongs to.
            menu->setFont(zoomedFont(QApplication::font(menu), zoomPercent));
        }
        if (hasTwipsGeometry(widget)) {
            placeInTwips(widget, twipsGeometry(widget));
        }
        if (auto* view = qobject_cast<QTreeView*>(widget)) {
            showColumnWidths(view, zoomPercent);
        }
        if (auto* list = qobject_cast<QListWidget*>(widget)) {
            measureKeptRowsAgain(list);
        }
    }
}

void setColumnWidthInTwips(QTreeView* view, int column, float twips) {
    QVariantMap columns = view->property(kColumnTwipsProperty).toMap();
    columns.insert(QString::number(column), twips);
    view->setProperty(kColumnTwipsProperty, columns);
    view->setColumnWidth(column, twipsToPixels(twips, zoomOf(view)));
}

} // namespace dovrel

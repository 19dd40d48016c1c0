// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

class QTreeView;
class QWidget;

namespace dovrel {

// The property of a window that holds its zoom in percent; absent at the actual size.
inline constexpr const char* kZoomProperty = "dovrelZoom";

// Shows a window and everything on it at a zoom: each control at its twips geometry, every font
// set through setDesignedFont and the menus' fonts at their designed size times the zoom, the
// column widths set in twips, and list rows that keep their measured size measured again. Twips
// themselves never change.
void zoomWindow(QWidget* window, int zoomPercent);

// Sets a font designed for the actual size, shown at the zoom of the widget's window.
void setDesignedFont(QWidget* widget, const QFont& font);
// A font of the actual size at a zoom.
QFont zoomedFont(const QFont& designed, int zoomPercent);

// A column width of a list view kept in twips, so that it follows the zoom.
void setColumnWidthInTwips(QTreeView* view, int column, float twips);

} // namespace dovrel

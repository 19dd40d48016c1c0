// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/NamedControls.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QTreeWidget;

namespace dovrel {

// A window without an owner; showing it again only brings it forward.
class SecondaryWindow : public QWidget {
    Q_OBJECT

public:
    void showAndRaise();
    // Shows the window at a zoom, its size in twips kept.
    void zoomTo(int percent);

protected:
    SecondaryWindow(NamedControls& registry, const char* name, const char* caption, float innerWidth,
                    float innerHeight);
    // Esc anywhere in the window closes it, as its close box does.
    void closeOnEscape();
};

// About: the program's title with a small picture.
class Form2 final : public SecondaryWindow {
    Q_OBJECT

public:
    explicit Form2(NamedControls& registry);
};

// Tips: the help text of the "Dada Rezavi" panel in a fixed-pitch font.
class Form3 final : public SecondaryWindow {
    Q_OBJECT

public:
    explicit Form3(NamedControls& registry);
    QPlainTextEdit* text() const { return text1_; }

private:
    QPlainTextEdit* text1_;
};

// Unit Details: one row per listed unit in 15 columns.
class Form4 final : public SecondaryWindow {
    Q_OBJECT

public:
    explicit Form4(NamedControls& registry);
    QTreeWidget* listView() const { return listView1_; }
    QLabel* hint() const { return label1_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QTreeWidget* listView1_;
    QLabel* label1_;
};

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Form1Controls.h"
#include "widgets/NamedControls.h"

class QMainWindow;
class QWidget;

namespace dovrel {

// Builds the main window's controls: the menus, the row above the units, "Dada Rezavi", the two
// browsing panels, the consist list, the coupling filter and the additions, each at its place in
// twips and registered under its name. The controls are built in the order that gives the window
// its Tab order.
class Form1Layout {
public:
    Form1Layout(QMainWindow& window, QWidget* client, NamedControls& registry, Form1Controls& controls);

    void build();

private:
    void registerMenu(QAction* action, const char* name, ControlKind kind);
    void buildMenus();
    void buildTopRow();
    void buildEditorFrame();
    void buildBrowserPanel(bool locoSide);
    void buildConsistList();
    void buildCouplingFilter();
    // Undo, Redo, the coupler check, the totals caption and the scan's progress bar.
    void buildAdditions();
    // The find bar over the consist list's caption row, and Edit > Find Unit.
    void buildFindBar();
    // Edit > Preferences > Collect Scan Messages.
    void buildScanReport();
    // The View menu's zoom.
    void buildViewMenu();

    QMainWindow& window_;
    QWidget* client_;
    NamedControls& registry_;
    Form1Controls& c_;
};

} // namespace dovrel

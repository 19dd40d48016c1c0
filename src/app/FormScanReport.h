// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/SecondaryWindows.h"

#include <string>
#include <vector>

class QListWidget;

namespace dovrel {

// The messages a scan kept instead of showing them, one row per message: its text on one line and
// where the blueprint lies. Close hides the window.
class FormScanReport final : public SecondaryWindow {
    Q_OBJECT

public:
    explicit FormScanReport(NamedControls& registry);

    // Fills the list anew with the rows, as bytes.
    void showRows(const std::vector<std::string>& rows);

    QListWidget* list() const { return list_; }

private:
    QListWidget* list_;
};

} // namespace dovrel

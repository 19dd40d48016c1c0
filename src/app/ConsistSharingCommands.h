// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Form1Controls.h"
#include "app/Services.h"
#include "catalogue/Catalogue.h"

#include <QObject>
#include <functional>

namespace dovrel {

class ConsistEditor;

// File > Export Consist... writes the consist line as a shareable .dovrel-consist file named in a
// save dialog; File > Import Consist... loads such a file into the line (one step of its history),
// leaving out the units that are not installed and naming them in one message.
class ConsistSharingCommands final : public QObject {
    Q_OBJECT

public:
    // runEditorStep runs a change of the consist line as one step of its history and shows it.
    ConsistSharingCommands(const Form1Controls& controls, const Services& services,
                           const Catalogue& catalogue, ConsistEditor& editor,
                           std::function<void(const std::function<void()>&)> runEditorStep);

    void exportConsist();
    void importConsist();

private:
    const Form1Controls& c_;
    const Services& services_;
    const Catalogue& catalogue_;
    ConsistEditor& editor_;
    std::function<void(const std::function<void()>&)> runEditorStep_;
};

} // namespace dovrel

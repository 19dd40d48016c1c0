// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ConsistSharingCommands.h"

#include "consist/ConsistEditor.h"
#include "core/TextRules.h"
#include "platform/qt/TextConversion.h"
#include "sharing/SharedConsistMessages.h"
#include "sharing/SharedConsistTransfer.h"

#include <QAction>
#include <QLineEdit>

namespace dovrel {

ConsistSharingCommands::ConsistSharingCommands(
    const Form1Controls& controls, const Services& services, const Catalogue& catalogue,
    ConsistEditor& editor, std::function<void(const std::function<void()>&)> runEditorStep)
    : c_(controls), services_(services), catalogue_(catalogue), editor_(editor),
      runEditorStep_(std::move(runEditorStep)) {
    connect(c_.mnuExportConsist, &QAction::triggered, this, [this] { exportConsist(); });
    connect(c_.mnuImportConsist, &QAction::triggered, this, [this] { importConsist(); });
}

void ConsistSharingCommands::exportConsist() {
    const std::vector<std::string> units(editor_.line().units().begin(), editor_.line().units().end());
    if (units.empty()) {
        return;
    }
    const std::string name(trimSpaces(typedText(c_.Text1->text())));
    // A name that cannot be a file name suggests none; the user names the file.
    const bool nameFits = !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
    const std::filesystem::path suggested =
        nameFits ? withSharedConsistExtension(services_.homeFolder / name) : services_.homeFolder;
    const std::optional<std::filesystem::path> chosen = services_.fileDialogs.saveFile(
        std::string(sharingmessages::kExportTitle), suggested, std::string(sharingmessages::kFileFilter));
    if (!chosen || chosen->empty()) {
        return;
    }
    const std::filesystem::path file = withSharedConsistExtension(*chosen);
    if (const FileStatus written = writeSharedConsist(services_.files, file, name, units); !written.ok) {
        services_.messages.warn(fileNotWrittenText(file, written));
    }
}

void ConsistSharingCommands::importConsist() {
    if (!editor_.confirmAbandonConsist()) {
        return;
    }
    const std::optional<std::filesystem::path> chosen =
        services_.fileDialogs.openFile(std::string(sharingmessages::kImportTitle), services_.homeFolder,
                                       std::string(sharingmessages::kFileFilter));
    if (!chosen || chosen->empty()) {
        return;
    }
    const auto records = catalogue_.records();
    SharedConsistLoad load = loadSharedConsist(*chosen, {records.begin(), records.end()});
    if (!load.units.empty()) {
        runEditorStep_(
            [&] { editor_.loadConsist(std::move(load.name), std::move(load.units), "Import Consist"); });
    }
    if (load.message) {
        services_.messages.warn(*load.message);
    }
}

} // namespace dovrel

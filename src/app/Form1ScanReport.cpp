// SPDX-License-Identifier: GPL-3.0-or-later
// Collect Scan Messages (Edit > Preferences): a scan that shows none of its messages, and after it
// one window, and scanreport.txt in the program folder, listing them.
#include "app/Form1.h"

#include "app/FormScanReport.h"
#include "catalogue/AssetScan.h"
#include "platform/qt/TextConversion.h"
#include "widgets/ControlText.h"

#include <QAction>
#include <QMenu>

namespace dovrel {

void Form1::wireScanReport() {
    // Off unless the setting says "1"; the setting is written only when the user changes it.
    c_.mnuCollectScanMessages->setChecked(services_.settings.value(kCollectScanMessagesKey) == "1");
    connect(c_.mnuCollectScanMessages, &QAction::triggered, this,
            [this](bool on) { services_.settings.setValue(kCollectScanMessagesKey, on ? "1" : "0"); });
}

ScanMessageMode Form1::scanMessageMode() const {
    return c_.mnuCollectScanMessages->isChecked() ? ScanMessageMode::Collect : ScanMessageMode::Show;
}

// After a scan that collected its messages: the report window and scanreport.txt.
void Form1::reportScanMessages(const AssetScanReport& report) {
    std::vector<std::string> rows;
    QByteArray text;
    for (const ScanMessage& message : report.collectedMessages) {
        rows.push_back(scanReportRow(message));
        text += displayText(rows.back()).toUtf8() + '\n';
    }
    // The file always tells of the last scan that collected: empty when it had nothing to say.
    const std::filesystem::path file = services_.programFolder / kScanReportName;
    if (const FileStatus written = services_.files.replaceRegenerable(file, text.toStdString());
        !written.ok) {
        services_.messages.warn(fileNotWrittenText(file, written));
    }
    formScanReport_->showRows(rows);
    if (rows.empty()) {
        formScanReport_->hide();
    } else {
        formScanReport_->showAndRaise();
    }
}

} // namespace dovrel

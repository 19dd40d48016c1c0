// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FormScanReport.h"

#include "platform/qt/TextConversion.h"
#include "widgets/ControlFactory.h"
#include "widgets/ControlText.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace dovrel {

FormScanReport::FormScanReport(NamedControls& registry)
    : SecondaryWindow(registry, "FormScanReport", "Scan Messages", 12000, 5400) {
    ControlFactory make(registry, "FormScanReport.");
    make.make<QLabel>(this, "Label1", ControlKind::Label, {120, 120, 11760, 255},
                      "Blueprints the last scan did not store, and why (also in scanreport.txt):");
    list_ = make.make<QListWidget>(this, "lstScanReport", ControlKind::ListBox, {120, 420, 11760, 4260});
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* close = make.make<QPushButton>(this, "butCloseScanReport", ControlKind::Button,
                                         {10620, 4800, 1260, 375}, "&Close");
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    list_->setAccessibleName(QStringLiteral("Scan messages"));
}

void FormScanReport::showRows(const std::vector<std::string>& rows) {
    list_->clear();
    for (const std::string& row : rows) {
        auto* item = new QListWidgetItem(displayText(row));
        item->setData(kItemBytesRole, QByteArray::fromStdString(row));
        list_->addItem(item);
    }
}

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/PurposeComboAccessible.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace dovrel {

namespace {
QAccessibleInterface* purposeComboFactory(const QString&, QObject* object) {
    auto* combo = qobject_cast<QComboBox*>(object);
    if (combo == nullptr || combo->isEditable() || combo->accessibleName().isEmpty()) {
        return nullptr;
    }
    return new PurposeComboAccessible(combo);
}
} // namespace

PurposeComboAccessible::PurposeComboAccessible(QComboBox* combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox) {}

QComboBox* PurposeComboAccessible::combo() const {
    return static_cast<QComboBox*>(widget());
}

QString PurposeComboAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) {
        return combo()->currentText();
    }
    return QAccessibleWidget::text(t);
}

int PurposeComboAccessible::childCount() const {
    return 1;
}

QAccessibleInterface* PurposeComboAccessible::child(int index) const {
    return index == 0 ? QAccessible::queryAccessibleInterface(combo()->view()) : nullptr;
}

int PurposeComboAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return child != nullptr && child->object() == combo()->view() ? 0 : -1;
}

QStringList PurposeComboAccessible::actionNames() const {
    return {showMenuAction(), pressAction()};
}

void PurposeComboAccessible::doAction(const QString& actionName) {
    if (actionName == showMenuAction() || actionName == pressAction()) {
        combo()->showPopup();
    }
}

void PurposeComboAccessible::install() {
    QAccessible::installFactory(purposeComboFactory);
}

} // namespace dovrel

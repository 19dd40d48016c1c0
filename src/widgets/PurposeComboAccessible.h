// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace dovrel {

// A drop-down as a screen reader meets it when it has been given an accessible name: named by its
// purpose ("Provider filter for locomotives"), its chosen item as its value, its list as its one
// child. Qt's own drop-down on Linux gives the chosen item as the name too, so every filter showing
// "All" would be heard as "All".
class PurposeComboAccessible final : public QAccessibleWidget {
public:
    explicit PurposeComboAccessible(QComboBox* combo);

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    // Makes every drop-down that has an accessible name use this interface; once is enough.
    static void install();

private:
    QComboBox* combo() const;
};

} // namespace dovrel

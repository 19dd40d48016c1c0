// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/ListRows.h"

#include <QAbstractListModel>
#include <memory>

namespace dovrel {

// A read-only list model over rows that someone else made: no object per row, each row's text read
// from the rows when a view asks for it. A row gives its text (Qt::DisplayRole), and its bytes
// (kItemBytesRole) when the text does not give them back, as an item addItem adds does.
class ListRowsModel final : public QAbstractListModel {
    Q_OBJECT

public:
    explicit ListRowsModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    // Shows these rows (none when null) instead of the ones before, in one reset.
    void setRows(std::shared_ptr<const ListRows> rows);
    const ListRows* rows() const { return rows_.get(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::shared_ptr<const ListRows> rows_;
};

} // namespace dovrel

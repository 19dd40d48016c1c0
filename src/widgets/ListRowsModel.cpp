// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ListRowsModel.h"

#include <QByteArray>

namespace dovrel {

void ListRowsModel::setRows(std::shared_ptr<const ListRows> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int ListRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !rows_ ? 0 : static_cast<int>(rows_->size());
}

QVariant ListRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return rows_->text(row).text;
    }
    if (role == kItemBytesRole && rows_->text(row).keepsBytes) {
        const std::string_view bytes = rows_->bytes(row);
        return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    return {};
}

Qt::ItemFlags ListRowsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    // A list widget's item's flags, so that a row is to its view and to screen readers what such an
    // item was.
    return Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
}

} // namespace dovrel

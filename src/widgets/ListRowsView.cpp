// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ListRowsView.h"

#include "widgets/ListRowsModel.h"

#include <QItemSelectionModel>

namespace dovrel {

ListRowsView::ListRowsView(QWidget* parent) : QListView(parent), rows_(new ListRowsModel(this)) {
    setModel(rows_);
}

void ListRowsView::setRows(std::shared_ptr<const ListRows> rows) {
    rows_->setRows(std::move(rows));
}

int ListRowsView::count() const {
    return rows_->rowCount();
}

QString ListRowsView::text(int row) const {
    return rows_->rows()->text(static_cast<std::size_t>(row)).text;
}

std::string ListRowsView::bytes(int row) const {
    return std::string(rows_->rows()->bytes(static_cast<std::size_t>(row)));
}

int ListRowsView::currentRow() const {
    return currentIndex().row();
}

void ListRowsView::setCurrentRow(int row) {
    const QItemSelectionModel::SelectionFlags command = selectionMode() == SingleSelection
                                                            ? QItemSelectionModel::ClearAndSelect
                                                            : QItemSelectionModel::SelectCurrent;
    selectionModel()->setCurrentIndex(rows_->index(row), command);
}

int ListRowsView::chosenRow() const {
    const QModelIndexList chosen = selectionModel()->selectedIndexes();
    return chosen.isEmpty() ? -1 : chosen.front().row();
}

QRect ListRowsView::rowRect(int row) const {
    return visualRect(rows_->index(row));
}

void ListRowsView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QListView::selectionChanged(selected, deselected);
    emit itemSelectionChanged();
}

} // namespace dovrel

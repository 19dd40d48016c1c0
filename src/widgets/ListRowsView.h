// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/ListRows.h"

#include <QListView>
#include <memory>
#include <string>

namespace dovrel {

class ListRowsModel;

// A list box that shows rows someone else made (ListRowsModel) instead of items of its own, so that
// tens of thousands of rows are shown, and shown again, without making an object for each. It reads
// like a list widget: rows by number, the current row and the chosen (selected) one.
class ListRowsView final : public QListView {
    Q_OBJECT

public:
    explicit ListRowsView(QWidget* parent = nullptr);

    // Shows these rows instead of the ones before, none current or chosen, as a list cleared and
    // filled again does.
    void setRows(std::shared_ptr<const ListRows> rows);
    void clear() { setRows(nullptr); }

    int count() const;
    // A row's text and the bytes it stands for; the row must be one of the list's.
    QString text(int row) const;
    std::string bytes(int row) const;
    // The row of the current item, -1 when there is none.
    int currentRow() const;
    // Makes a row current and, the list choosing one row at a time, the chosen one.
    void setCurrentRow(int row);
    // The chosen row, -1 when none is chosen.
    int chosenRow() const;
    // Where a row is in the list's viewport.
    QRect rowRect(int row) const;

signals:
    // The chosen row changed, by the user or from code, unless the list's signals were blocked.
    void itemSelectionChanged();

protected:
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    ListRowsModel* rows_;
};

} // namespace dovrel

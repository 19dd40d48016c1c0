// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ListItemsRecord.h"

#include <QAbstractItemModel>
#include <QListWidget>

namespace dovrel {

ListItemsRecord& ListItemsRecord::of(QListWidget* list) {
    if (auto* existing = list->findChild<ListItemsRecord*>(QString(), Qt::FindDirectChildrenOnly)) {
        return *existing;
    }
    return *new ListItemsRecord(list);
}

const ListItemsRecord* ListItemsRecord::find(const QListWidget* list) {
    return list->findChild<const ListItemsRecord*>(QString(), Qt::FindDirectChildrenOnly);
}

ListItemsRecord::ListItemsRecord(QListWidget* list) : QObject(list) {
    const QAbstractItemModel* model = list->model();
    const auto changed = [this] {
        if (!changing_) {
            forget();
        }
    };
    connect(model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(model, &QAbstractItemModel::rowsMoved, this, changed);
    connect(model, &QAbstractItemModel::modelReset, this, changed);
    connect(model, &QAbstractItemModel::layoutChanged, this, changed);
    connect(model, &QAbstractItemModel::dataChanged, this, changed);
}

std::optional<std::span<const std::string_view>> ListItemsRecord::items() const {
    if (!known_) {
        return std::nullopt;
    }
    return items_;
}

void ListItemsRecord::record(std::span<const std::string_view> items, const std::function<void()>& change) {
    changing_ = true;
    change();
    changing_ = false;
    // One string for all of them: a list of tens of thousands of names costs one allocation.
    std::size_t size = 0;
    for (const std::string_view item : items) {
        size += item.size();
    }
    bytes_.clear();
    bytes_.reserve(size);
    for (const std::string_view item : items) {
        bytes_.append(item);
    }
    items_.clear();
    items_.reserve(items.size());
    std::size_t start = 0;
    for (const std::string_view item : items) {
        items_.push_back(std::string_view(bytes_).substr(start, item.size()));
        start += item.size();
    }
    known_ = true;
}

void ListItemsRecord::forget() {
    bytes_ = {};
    items_ = {};
    known_ = false;
}

} // namespace dovrel

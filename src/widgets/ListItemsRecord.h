// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QListWidget;

namespace dovrel {

// The bytes of the items last put in a list through it, kept beside the list for as long as nothing
// else changes the list's items (any insertion, removal, reset or change of an item's data forgets
// them), so that the next fill compares the new items with these instead of reading every item back.
class ListItemsRecord final : public QObject {
    Q_OBJECT

public:
    // The record of a list, made at its first use; it lives as long as the list.
    static ListItemsRecord& of(QListWidget* list);
    // The record of a list, when it has one.
    static const ListItemsRecord* find(const QListWidget* list);

    // The bytes of the list's items, when the list still shows what was last recorded.
    std::optional<std::span<const std::string_view>> items() const;

    // Changes the list's items through `change`, then records `items` as what the list shows.
    void record(std::span<const std::string_view> items, const std::function<void()>& change);

private:
    explicit ListItemsRecord(QListWidget* list);
    void forget();

    // The items' bytes one after another, and each item's part of them.
    std::string bytes_;
    std::vector<std::string_view> items_;
    bool known_ = false;
    bool changing_ = false;
};

} // namespace dovrel

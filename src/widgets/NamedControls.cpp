// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/NamedControls.h"

#include "platform/qt/TextConversion.h"
#include "widgets/ControlText.h"
#include "widgets/ListRowsView.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTreeWidget>
#include <algorithm>

namespace dovrel {

namespace {
bool hasCaption(const QObject* object) {
    return object->property("dovrelCaption").isValid();
}
} // namespace

const char* controlKindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Window:
        return "window";
    case ControlKind::Menu:
        return "menu";
    case ControlKind::MenuItem:
        return "menuitem";
    case ControlKind::Button:
        return "button";
    case ControlKind::Label:
        return "label";
    case ControlKind::TextBox:
        return "textbox";
    case ControlKind::ComboBox:
        return "combobox";
    case ControlKind::ListBox:
        return "listbox";
    case ControlKind::ListView:
        return "listview";
    case ControlKind::CheckBox:
        return "checkbox";
    case ControlKind::ScrollBar:
        return "scrollbar";
    case ControlKind::Frame:
        return "frame";
    case ControlKind::Picture:
        return "picture";
    case ControlKind::ProgressBar:
        return "progressbar";
    }
    return "label";
}

std::string WidgetControl::text() const {
    if (kind_ == ControlKind::Window && !hasCaption(widget_)) {
        return typedText(widget_->windowTitle());
    }
    if (auto* line = qobject_cast<QLineEdit*>(widget_)) {
        return typedText(line->text());
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget_)) {
        const int index = combo->currentIndex();
        return index < 0 ? typedText(combo->currentText())
                         : itemBytes(combo->itemData(index, kItemBytesRole), combo->itemText(index));
    }
    if (hasCaption(widget_)) {
        const std::string caption = storedCaption(widget_);
        const bool carriesAccelerators = kind_ == ControlKind::Button || kind_ == ControlKind::Frame;
        return carriesAccelerators ? withoutAccelerators(caption) : caption;
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_)) {
        return typedText(plain->toPlainText());
    }
    if (auto* bar = qobject_cast<QProgressBar*>(widget_)) {
        return typedText(bar->text());
    }
    return {};
}

bool WidgetControl::enabled() const {
    return widget_->isEnabled();
}

bool WidgetControl::visible() const {
    return !widget_->isHidden();
}

bool WidgetControl::reachable() const {
    for (const QWidget* current = widget_; current != nullptr; current = current->parentWidget()) {
        if (current->isHidden()) {
            return false;
        }
    }
    return true;
}

std::optional<bool> WidgetControl::checked() const {
    if (auto* box = qobject_cast<QCheckBox*>(widget_)) {
        return box->isChecked();
    }
    return std::nullopt;
}

std::optional<TwipsRect> WidgetControl::geometry() const {
    return twipsGeometry(widget_);
}

std::optional<std::vector<std::string>> WidgetControl::items() const {
    std::vector<std::string> all;
    if (auto* combo = qobject_cast<QComboBox*>(widget_)) {
        for (int i = 0; i < combo->count(); ++i) {
            all.push_back(itemBytes(combo->itemData(i, kItemBytesRole), combo->itemText(i)));
        }
        return all;
    }
    if (auto* list = qobject_cast<ListRowsView*>(widget_)) {
        all.reserve(static_cast<std::size_t>(list->count()));
        for (int row = 0; row < list->count(); ++row) {
            all.push_back(list->bytes(row));
        }
        return all;
    }
    if (auto* list = qobject_cast<QListWidget*>(widget_)) {
        for (int i = 0; i < list->count(); ++i) {
            all.push_back(itemBytes(list->item(i)->data(kItemBytesRole), list->item(i)->text()));
        }
        return all;
    }
    return std::nullopt;
}

std::optional<int> WidgetControl::current() const {
    if (auto* combo = qobject_cast<QComboBox*>(widget_)) {
        return combo->currentIndex();
    }
    if (auto* list = qobject_cast<ListRowsView*>(widget_)) {
        return list->chosenRow();
    }
    if (auto* list = qobject_cast<QListWidget*>(widget_)) {
        const QList<QListWidgetItem*> selected = list->selectedItems();
        return selected.isEmpty() ? -1 : list->row(selected.front());
    }
    if (auto* view = qobject_cast<QTreeWidget*>(widget_)) {
        const QList<QTreeWidgetItem*> selected = view->selectedItems();
        return selected.isEmpty() ? -1 : view->indexOfTopLevelItem(selected.front());
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> WidgetControl::columns() const {
    auto* view = qobject_cast<QTreeWidget*>(widget_);
    if (view == nullptr) {
        return std::nullopt;
    }
    std::vector<std::string> headers;
    for (int c = 0; c < view->columnCount(); ++c) {
        headers.push_back(typedText(view->headerItem()->text(c)));
    }
    return headers;
}

std::optional<std::vector<std::vector<std::string>>> WidgetControl::rows() const {
    auto* view = qobject_cast<QTreeWidget*>(widget_);
    if (view == nullptr) {
        return std::nullopt;
    }
    std::vector<std::vector<std::string>> all;
    for (int r = 0; r < view->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* item = view->topLevelItem(r);
        std::vector<std::string> cells;
        for (int c = 0; c < view->columnCount(); ++c) {
            cells.push_back(itemBytes(item->data(c, kItemBytesRole), item->text(c)));
        }
        all.push_back(std::move(cells));
    }
    return all;
}

bool WidgetControl::click() {
    if (auto* button = qobject_cast<QAbstractButton*>(widget_)) {
        button->click();
        return true;
    }
    return false;
}

// What the widget's accessible interface gives a screen reader as the name.
std::optional<QString> WidgetControl::accessibleName() const {
    const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget_);
    return accessible == nullptr ? QString() : accessible->text(QAccessible::Name);
}

// A menu item is named by its caption, accelerator marks left out.
std::optional<QString> MenuControl::accessibleName() const {
    return displayText(text());
}

std::string MenuControl::text() const {
    const std::string caption = hasCaption(action_) ? storedCaption(action_) : typedText(action_->text());
    return withoutAccelerators(caption);
}

bool MenuControl::enabled() const {
    return action_->isEnabled();
}

bool MenuControl::visible() const {
    return action_->isVisible();
}

bool MenuControl::reachable() const {
    if (!action_->isVisible()) {
        return false;
    }
    // A menu item is reachable when every menu that leads to it is visible too.
    for (QObject* parent = action_->parent(); parent != nullptr; parent = parent->parent()) {
        if (auto* menu = qobject_cast<QMenu*>(parent)) {
            if (!menu->menuAction()->isVisible()) {
                return false;
            }
        }
    }
    return true;
}

std::optional<bool> MenuControl::checked() const {
    if (!action_->isCheckable()) {
        return std::nullopt;
    }
    return action_->isChecked();
}

bool MenuControl::click() {
    if (kind_ == ControlKind::Menu) {
        return false;
    }
    action_->trigger();
    return true;
}

void NamedControls::add(std::string address, std::unique_ptr<NamedControl> control) {
    if (controls_.find(address) == controls_.end()) {
        order_.push_back(address);
    }
    controls_[std::move(address)] = std::move(control);
}

void NamedControls::addWidget(std::string address, QWidget* widget, ControlKind kind) {
    add(std::move(address), std::make_unique<WidgetControl>(widget, kind));
}

void NamedControls::addMenu(std::string address, QAction* action, ControlKind kind) {
    add(std::move(address), std::make_unique<MenuControl>(action, kind));
}

void NamedControls::removeWithPrefix(const std::string& prefix) {
    std::erase_if(order_, [&](const std::string& address) {
        if (address.starts_with(prefix)) {
            controls_.erase(address);
            return true;
        }
        return false;
    });
}

void NamedControls::addSet(const std::string& name, std::unique_ptr<ControlSet> set) {
    // Elements handed out for an earlier set of this name belong to that set.
    const std::string elementPrefix = name + "[";
    std::erase_if(setElements_, [&](const auto& made) { return made.first.starts_with(elementPrefix); });
    for (auto& [existing, held] : sets_) {
        if (existing == name) {
            held = std::move(set);
            return;
        }
    }
    sets_.emplace_back(name, std::move(set));
}

NamedControl* NamedControls::find(const std::string& address) const {
    if (const auto found = controls_.find(address); found != controls_.end()) {
        return found->second.get();
    }
    const std::size_t open = address.find('[');
    if (open == std::string::npos || !address.ends_with(']') || open + 2 >= address.size()) {
        return nullptr;
    }
    const std::string digits = address.substr(open + 1, address.size() - open - 2);
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) {
        return nullptr;
    }
    const std::size_t index = std::stoul(digits);
    for (const auto& [name, set] : sets_) {
        if (address.compare(0, open, name) != 0 || name.size() != open || index >= set->size()) {
            continue;
        }
        auto& made = setElements_[address];
        if (!made) {
            made = set->element(index);
        }
        return made.get();
    }
    return nullptr;
}

std::vector<std::string> NamedControls::addresses() const {
    std::vector<std::string> all = order_;
    for (const auto& [name, set] : sets_) {
        for (std::size_t i = 0; i < set->size(); ++i) {
            all.push_back(name + "[" + std::to_string(i) + "]");
        }
    }
    return all;
}

} // namespace dovrel

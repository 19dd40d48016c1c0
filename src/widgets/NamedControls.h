// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/Twips.h"

#include <QAction>
#include <QStringList>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dovrel {

enum class ControlKind {
    Window,
    Menu,
    MenuItem,
    Button,
    Label,
    TextBox,
    ComboBox,
    ListBox,
    ListView,
    CheckBox,
    ScrollBar,
    Frame,
    Picture,
    ProgressBar,
};

const char* controlKindName(ControlKind kind);

enum class PressButton { Left, Right, Middle };

// One control as a user (or a script) sees it: real widgets, menu items and painted elements alike.
class NamedControl {
public:
    virtual ~NamedControl() = default;

    virtual ControlKind kind() const = 0;
    // The caption as stored, or a text box's or combo box's current text; menu items, buttons and
    // frames without accelerator marks.
    virtual std::string text() const = 0;
    virtual bool enabled() const = 0;
    // The control's own Visible property, as the program sets it.
    virtual bool visible() const = 0;
    // Visible together with every frame, panel and window it lies in.
    virtual bool reachable() const = 0;
    virtual std::optional<bool> checked() const { return std::nullopt; }
    virtual std::optional<TwipsRect> geometry() const { return std::nullopt; }
    virtual std::optional<std::vector<std::string>> items() const { return std::nullopt; }
    virtual std::optional<int> current() const { return std::nullopt; }
    virtual std::optional<std::vector<std::string>> columns() const { return std::nullopt; }
    virtual std::optional<std::vector<std::vector<std::string>>> rows() const { return std::nullopt; }
    // The name a screen reader says for the control; nothing for painted elements, which it does not
    // reach one by one.
    virtual std::optional<QString> accessibleName() const { return std::nullopt; }

    // The user's click on a button or menu item; false when this control has no click.
    virtual bool click() { return false; }
    // A mouse press at a point in twips inside the control; false when it takes no presses.
    virtual bool press(PressButton, float, float) { return false; }

    // The widget behind the control, when there is one.
    virtual QWidget* widget() const { return nullptr; }
    virtual QAction* action() const { return nullptr; }
};

// A real widget: button, label, text box, combo box, list, list view, check box, scroll bar,
// frame, picture or window.
class WidgetControl final : public NamedControl {
public:
    WidgetControl(QWidget* widget, ControlKind kind) : widget_(widget), kind_(kind) {}

    ControlKind kind() const override { return kind_; }
    std::string text() const override;
    bool enabled() const override;
    bool visible() const override;
    bool reachable() const override;
    std::optional<bool> checked() const override;
    std::optional<TwipsRect> geometry() const override;
    std::optional<std::vector<std::string>> items() const override;
    std::optional<int> current() const override;
    std::optional<std::vector<std::string>> columns() const override;
    std::optional<std::vector<std::vector<std::string>>> rows() const override;
    std::optional<QString> accessibleName() const override;
    bool click() override;
    QWidget* widget() const override { return widget_; }

private:
    QWidget* widget_;
    ControlKind kind_;
};

// A menu-bar entry, menu or menu item.
class MenuControl final : public NamedControl {
public:
    MenuControl(QAction* action, ControlKind kind) : action_(action), kind_(kind) {}

    ControlKind kind() const override { return kind_; }
    std::string text() const override;
    bool enabled() const override;
    bool visible() const override;
    bool reachable() const override;
    std::optional<bool> checked() const override;
    std::optional<QString> accessibleName() const override;
    bool click() override;
    QAction* action() const override { return action_; }

private:
    QAction* action_;
    ControlKind kind_;
};

// A set of like controls whose elements come and go: element i is "NAME[i]".
class ControlSet {
public:
    virtual ~ControlSet() = default;
    virtual std::size_t size() const = 0;
    virtual std::unique_ptr<NamedControl> element(std::size_t index) const = 0;
};

// Every control reachable by its address: "List1", "Label1[3]", "Form4.ListView1".
class NamedControls {
public:
    // A control set answers for every address NAME[i] below its size; it replaces an earlier set
    // of the same name.
    void addSet(const std::string& name, std::unique_ptr<ControlSet> set);
    void add(std::string address, std::unique_ptr<NamedControl> control);
    void addWidget(std::string address, QWidget* widget, ControlKind kind);
    void addMenu(std::string address, QAction* action, ControlKind kind);
    // Removes every address that starts with the prefix (for control sets that shrink).
    void removeWithPrefix(const std::string& prefix);

    NamedControl* find(const std::string& address) const;
    // Addresses in the order they were added, then the elements of each control set.
    std::vector<std::string> addresses() const;

private:
    std::map<std::string, std::unique_ptr<NamedControl>> controls_;
    std::vector<std::string> order_;
    std::vector<std::pair<std::string, std::unique_ptr<ControlSet>>> sets_;
    // Controls made for set elements, kept so that find() can hand out a stable pointer.
    mutable std::map<std::string, std::unique_ptr<NamedControl>> setElements_;
};

} // namespace dovrel

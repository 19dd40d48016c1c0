// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScriptRunner.h"

#include "app/Form1.h"
#include "app/InputFilters.h"
#include "app/ScriptServices.h"
#include "platform/qt/PathText.h"
#include "platform/qt/TextConversion.h"
#include "widgets/ControlText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTreeWidget>
#include <iostream>

namespace dovrel {

namespace {
template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
// clang 14 does not deduce an aggregate's template arguments by itself.
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

// The control a line names, and the widget of the kind the action needs; the error to report when
// there is no such control or it is another kind.
template <typename Widget> struct Target {
    NamedControl* control = nullptr;
    Widget* widget = nullptr;
    std::string error;
};

Target<QWidget> findControl(NamedControls& controls, const std::string& name) {
    NamedControl* control = controls.find(name);
    if (control == nullptr) {
        return {nullptr, nullptr, "no control named \"" + name + "\""};
    }
    return {control, control->widget(), {}};
}

// what: the kind as the error names it, "a check box".
template <typename Widget>
Target<Widget> findControl(NamedControls& controls, const std::string& name, const char* what) {
    const Target<QWidget> found = findControl(controls, name);
    if (found.control == nullptr) {
        return {nullptr, nullptr, found.error};
    }
    auto* widget = qobject_cast<Widget*>(found.widget);
    if (widget == nullptr) {
        return {found.control, nullptr, "\"" + name + "\" is not " + what};
    }
    return {found.control, widget, {}};
}

// The text a key press carries: the character of a letter, digit, sign or space typed without Ctrl,
// Alt or Meta, in upper case with Shift; none for other keys.
QString keyText(QKeyCombination combination) {
    const int key = combination.key();
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    if (key < Qt::Key_Space || key > Qt::Key_AsciiTilde ||
        (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return {};
    }
    const QChar character(key);
    return modifiers & Qt::ShiftModifier ? QString(character) : QString(character.toLower());
}

// A left click on a list item as the mouse makes it: a press and a release on the item's middle,
// scrolled into view first.
void clickListItem(QListView* list, int row) {
    const QModelIndex item = list->model()->index(row, 0);
    list->scrollTo(item);
    const QPointF at = QRectF(list->visualRect(item)).center();
    const QPointF global = list->viewport()->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &release);
}

bool actionable(const NamedControl& control) {
    return control.enabled() && control.reachable();
}

MessageAnswer answerOf(script::Answer answer) {
    switch (answer) {
    case script::Answer::Yes:
        return MessageAnswer::Yes;
    case script::Answer::No:
        return MessageAnswer::No;
    case script::Answer::Cancel:
        return MessageAnswer::Cancel;
    case script::Answer::OK:
        break;
    }
    return MessageAnswer::OK;
}
} // namespace

ScriptRunner::ScriptRunner(Form1& form, ScriptMessageBoxes& messages, ScriptFileDialogs& fileDialogs,
                           const ScriptRecords& records)
    : form_(form), messages_(messages), fileDialogs_(fileDialogs), records_(records) {}

bool ScriptRunner::closed() const {
    return !form_.isVisible();
}

int ScriptRunner::run(const script::ParseResult& script) {
    for (const script::Line& line : script.lines) {
        if (script.errorLine && line.number > *script.errorLine) {
            break;
        }
        const std::string error = perform(line.action);
        if (!error.empty()) {
            std::cerr << "script line " << line.number << ": " << error << ": " << line.text << std::endl;
            return kWrongLine;
        }
        if (closed()) {
            return kFinished;
        }
    }
    if (script.errorLine) {
        std::cerr << "script line " << *script.errorLine << ": " << script.error << std::endl;
        return kWrongLine;
    }
    return kFinished;
}

std::string ScriptRunner::perform(const script::Action& action) {
    return std::visit(Overloaded{
                          [this](const script::Click& a) { return click(a); },
                          [this](const script::Choose& a) { return choose(a); },
                          [this](const script::Check& a) { return check(a); },
                          [this](const script::Type& a) { return type(a); },
                          [this](const script::Press& a) { return press(a); },
                          [this](const script::KeyDown& a) {
                              form_.keyState().keyDown(a.code);
                              return std::string();
                          },
                          [this](const script::KeyUp&) {
                              form_.keyState().keyUp();
                              return std::string();
                          },
                          [this](const script::Scroll& a) { return scroll(a); },
                          [this](const script::Drag& a) { return drag(a); },
                          [this](const script::DoubleClick& a) { return doubleClick(a); },
                          [this](const script::QueueAnswer& a) {
                              messages_.queue(answerOf(a.answer));
                              return std::string();
                          },
                          [this](const script::QueueFileDialog& a) {
                              fileDialogs_.queue(a.path ? std::optional(std::filesystem::path(*a.path))
                                                        : std::nullopt);
                              return std::string();
                          },
                          [this](const script::BackgroundClick&) {
                              form_.backgroundClick();
                              return std::string();
                          },
                          [this](const script::Close&) {
                              form_.close();
                              return std::string();
                          },
                          [this](const script::Dump& a) { return dump(a); },
                          [this](const script::Screenshot& a) { return screenshot(a); },
                          [this](const script::Keys& a) { return keys(a); },
                      },
                      action);
}

std::string ScriptRunner::click(const script::Click& action) {
    const auto [control, widget, error] = findControl(form_.namedControls(), action.control);
    if (control == nullptr) {
        return error;
    }
    if (actionable(*control)) {
        control->click();
    }
    return {};
}

std::string ScriptRunner::choose(const script::Choose& action) {
    const auto [control, widget, error] = findControl(form_.namedControls(), action.control);
    if (control == nullptr) {
        return error;
    }
    const auto items = control->items();
    if (!items) {
        return "\"" + action.control + "\" is neither a combo box nor a list box";
    }
    int index = -1;
    if (action.index) {
        index = *action.index;
        if (index < 0 || index >= static_cast<int>(items->size())) {
            return "item " + std::to_string(index) + " is out of range";
        }
    } else {
        // The script names an item by the text the window shows (as the dump shows it), not by
        // the bytes stored with it.
        const QString wanted = QString::fromStdString(action.text);
        for (std::size_t i = 0; i < items->size(); ++i) {
            if (displayText((*items)[i]) == wanted) {
                index = static_cast<int>(i);
                break;
            }
        }
        if (index < 0) {
            return "no item equal to \"" + action.text + "\"";
        }
    }
    if (!actionable(*control)) {
        return {};
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    } else if (auto* list = qobject_cast<QListView*>(widget)) {
        clickListItem(list, index);
    }
    return {};
}

std::string ScriptRunner::check(const script::Check& action) {
    const auto [control, box, error] =
        findControl<QCheckBox>(form_.namedControls(), action.control, "a check box");
    if (box == nullptr) {
        return error;
    }
    if (actionable(*control) && box->isChecked() != action.on) {
        box->click();
    }
    return {};
}

std::string ScriptRunner::type(const script::Type& action) {
    const auto [control, box, error] =
        findControl<QLineEdit>(form_.namedControls(), action.control, "a text box");
    if (box == nullptr) {
        return error;
    }
    if (actionable(*control)) {
        box->setText(displayText(action.text));
        emit box->textEdited(box->text());
    }
    return {};
}

std::string ScriptRunner::press(const script::Press& action) {
    const auto [control, widget, error] = findControl(form_.namedControls(), action.control);
    if (control == nullptr) {
        return error;
    }
    const auto rect = control->geometry();
    if (!rect) {
        return "\"" + action.control + "\" takes no presses";
    }
    if (!control->reachable()) {
        return {};
    }
    // Only a point inside the window's client area reaches anything.
    const float x = rect->left + action.x;
    const float y = rect->top + action.y;
    if (x < 0 || y < 0 || x >= Form1::kClientWidth || y >= Form1::kClientHeight) {
        return {};
    }
    const PressButton button = action.button == script::Button::Left    ? PressButton::Left
                               : action.button == script::Button::Right ? PressButton::Right
                                                                        : PressButton::Middle;
    control->press(button, action.x, action.y);
    return {};
}

std::string ScriptRunner::scroll(const script::Scroll& action) {
    const auto [control, bar, error] =
        findControl<QScrollBar>(form_.namedControls(), action.control, "a scroll bar");
    if (bar == nullptr) {
        return error;
    }
    if (action.value < bar->minimum() || action.value > bar->maximum()) {
        return "value " + std::to_string(action.value) + " is outside the scroll bar's range";
    }
    if (actionable(*control)) {
        bar->setValue(action.value);
    }
    return {};
}

std::string ScriptRunner::drag(const script::Drag& action) {
    const auto [control, widget, error] = findControl(form_.namedControls(), action.control);
    if (control == nullptr) {
        return error;
    }
    if (widget != static_cast<QWidget*>(form_.controls().Label21)) {
        return "\"" + action.control + "\" cannot be dragged";
    }
    if (!actionable(*control)) {
        return {};
    }
    // A left press on the strip, one move to the point DX, DY away, the release there; the strip
    // has moved with the panel by the time of the release.
    constexpr float kGrabX = 300.0f;
    constexpr float kGrabY = 140.0f;
    const TwipsRect before = twipsGeometry(form_.controls().Frame4);
    form_.browser().filterTitlePressed(kGrabX, kGrabY);
    form_.browser().filterTitleMoved(kGrabX + action.dx, kGrabY + action.dy);
    const TwipsRect after = twipsGeometry(form_.controls().Frame4);
    form_.browser().filterTitleReleased(kGrabX + action.dx - (after.left - before.left),
                                        kGrabY + action.dy - (after.top - before.top));
    return {};
}

std::string ScriptRunner::doubleClick(const script::DoubleClick& action) {
    const auto [control, view, error] =
        findControl<QTreeWidget>(form_.namedControls(), action.control, "a list view");
    if (view == nullptr) {
        return error;
    }
    if (action.row < 0 || action.row >= view->topLevelItemCount()) {
        return "row " + std::to_string(action.row) + " is out of range";
    }
    if (actionable(*control)) {
        QTreeWidgetItem* item = view->topLevelItem(action.row);
        view->setCurrentItem(item);
        emit view->itemDoubleClicked(item, 0);
    }
    return {};
}

std::string ScriptRunner::keys(const script::Keys& action) {
    const auto [control, widget, error] = findControl(form_.namedControls(), action.control);
    if (control == nullptr) {
        return error;
    }
    if (widget == nullptr) {
        return "\"" + action.control + "\" takes no keys";
    }
    if (!actionable(*control)) {
        return {};
    }
    // As the keyboard would: the control's window is the active one and the control has the focus,
    // and each key goes down and comes up on it. A key press sent this way meets the window's
    // shortcuts first, as a typed one does. The window system makes a window active in its own turn.
    QWidget* window = widget->window();
    if (QApplication::activeWindow() != window) {
        window->activateWindow();
        for (int turn = 0; turn < 10 && QApplication::activeWindow() != window; ++turn) {
            QApplication::processEvents();
        }
    }
    if (widget->focusPolicy() != Qt::NoFocus) {
        widget->setFocus(Qt::OtherFocusReason);
    }
    const QKeySequence sequence =
        QKeySequence::fromString(QString::fromStdString(action.sequence), QKeySequence::PortableText);
    for (int i = 0; i < sequence.count(); ++i) {
        const QKeyCombination combination = sequence[i];
        const QString text = keyText(combination);
        QKeyEvent press(QEvent::KeyPress, combination.key(), combination.keyboardModifiers(), text);
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, combination.key(), combination.keyboardModifiers(), text);
        QApplication::sendEvent(widget, &release);
    }
    return {};
}

std::string ScriptRunner::dump(const script::Dump& action) {
    const QByteArray json = stateDump(form_, records_);
    if (!action.file) {
        std::cout << json.toStdString() << std::endl;
        return {};
    }
    QFile file(pathToQString(std::filesystem::path(*action.file)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(json) != json.size()) {
        return "cannot write the dump to \"" + *action.file + "\"";
    }
    return {};
}

std::string ScriptRunner::screenshot(const script::Screenshot& action) {
    NamedControl* control = form_.namedControls().find(action.window);
    if (control == nullptr || control->kind() != ControlKind::Window) {
        return "no window named \"" + action.window + "\"";
    }
    QApplication::processEvents();
    if (!control->widget()->grab().save(QString::fromStdString(action.file), "PNG")) {
        return "cannot write the picture to \"" + action.file + "\"";
    }
    return {};
}

} // namespace dovrel

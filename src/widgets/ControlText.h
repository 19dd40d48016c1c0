// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QWidget>
#include <optional>
#include <string>
#include <string_view>

namespace dovrel {

// Items of lists, combo boxes and list views keep the bytes they show in this role.
inline constexpr int kItemBytesRole = Qt::UserRole + 1;

void addItem(QComboBox* combo, std::string_view bytes);
void addItem(QListWidget* list, std::string_view bytes);
// An item that shows other bytes than it keeps.
void addItem(QListWidget* list, std::string_view shownBytes, std::string_view bytes);
// An item's text as a list shows its bytes, made once: its text, and whether the item must keep its
// bytes beside it because the text does not give them back.
struct ListItemText {
    QString text;
    bool keepsBytes = false;
};
ListItemText listItemText(std::string_view bytes);
// As addItem, the item measured once as it joins and its size kept with it (Qt::SizeHintRole): a list
// that grows a row at a time while the window processes its events is laid out again after each
// row, and would otherwise measure every row's whole text every time.
void addMeasuredItem(QListWidget* list, std::string_view shownBytes, std::string_view bytes);
// The bytes of a list's chosen (selected) item, if one is chosen.
std::optional<std::string> chosenItemBytes(const QListWidget* list);
// The bytes of an item: its stored bytes, else its shown text as UTF-8.
std::string itemBytes(const QVariant& stored, const QString& shown);

// A control's caption is kept as the bytes the program set. Menu items, buttons and frames show
// "&&" as "&" and "&x" as an accelerator on x; labels and check boxes show "&" literally.
void setCaption(QWidget* control, std::string_view caption);
void setCaption(QAction* item, std::string_view caption);
// The caption as stored (accelerator marks kept).
std::string storedCaption(const QObject* control);
// The caption without its accelerator marks: "&&" becomes "&", a lone "&" goes.
std::string withoutAccelerators(std::string_view caption);

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Form1.h"
#include "consist/ConsistEditor.h"
#include "support/AppWorld.h"
#include "support/CatalogueRecords.h"
#include "widgets/ListRowsView.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QTest>
#include <memory>

namespace dovrel::testing {

inline const std::string kKnuckleCoupling = "RailVehicles\\Couplings\\Knuckle.xml";

// The main window started and shown on a game folder whose cache file holds the records.
class WindowTest : public ::testing::Test {
protected:
    void start(const std::vector<RecordParts>& records) {
        world.settings.setValue("GameFolder", world.makeGameFolder().string());
        world.temp.write("program/equipmentlist.txt", cacheText(records));
        form = std::make_unique<Form1>(world.services());
        ASSERT_EQ(form->startBeforeShow(), std::nullopt);
        form->startAfterShow();
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    const Form1Controls& c() const { return form->controls(); }
    int selected() const { return form->editor().line().selectedIndex(); }
    static void clickRow(QAbstractItemView* list, int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(list->viewport(), button, {},
                          list->visualRect(list->model()->index(row, 0)).center());
    }
    // Picks an item of a combo box's drop-down list with the mouse.
    static void chooseWithMouse(QComboBox* combo, const QString& text) {
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        const QPoint at = view->visualRect(view->model()->index(index, 0)).center();
        QTest::mouseMove(view->viewport(), at);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    }

    AppWorld world;
    std::unique_ptr<Form1> form;
};

} // namespace dovrel::testing

// Qt's strings in test messages as text.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

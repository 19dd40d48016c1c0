#pragma once

#include "app/Form1.h"
#include "consist/ConsistEditor.h"
#include "support/AppWorld.h"
#include "support/CatalogueRecords.h"

#include <QListWidget>
#include <QTest>
#include <memory>

namespace dovrel::testing {

inline const std::string kKnuckleCoupling = "RailVehicles\\Couplings\\Knuckle.xml";

// The main window started and shown on a game folder whose cache file holds the records.
class WindowTest : public ::testing::Test {
protected:
    void start(const std::vector<RecordSpec>& records) {
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
    static void clickRow(QListWidget* list, int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(list->viewport(), button, {}, list->visualItemRect(list->item(row)).center());
    }

    AppWorld world;
    std::unique_ptr<Form1> form;
};

} // namespace dovrel::testing

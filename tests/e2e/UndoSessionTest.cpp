#include "support/CatalogueRecords.h"
#include "support/EditorProcess.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>
#include <random>

namespace dovrel {
namespace {

using testing::EditorProcess;
using testing::TempFolder;
using testing::unit;

QJsonObject readJson(const std::filesystem::path& file) {
    QFile json(QString::fromStdString(file.string()));
    EXPECT_TRUE(json.open(QIODevice::ReadOnly)) << file;
    return QJsonDocument::fromJson(json.readAll()).object();
}

// The dump's state and controls, without the Undo and Redo items (whose texts name the steps), the
// two lists and the add buttons (which follow the entries chosen in the lists, not the line) and,
// when asked, without the enabled flags.
QJsonObject comparable(const QJsonObject& dump, bool withEnabled) {
    QJsonObject controls = dump["controls"].toObject();
    for (const char* name : {"mnuUndo", "mnuRedo", "List1", "List2", "butAddLocoLeft", "butAddLocoRight",
                             "butAddWagonLeft", "butAddWagonRight"}) {
        controls.remove(QString::fromLatin1(name));
    }
    if (!withEnabled) {
        for (auto entry = controls.begin(); entry != controls.end(); ++entry) {
            QJsonObject control = entry.value().toObject();
            control.remove(QStringLiteral("enabled"));
            entry.value() = control;
        }
    }
    return QJsonObject{{QStringLiteral("state"), dump["state"]}, {QStringLiteral("controls"), controls}};
}

// A scripted random session on the real window: clicking Undo until nothing is left gives back the
// window as it started, and clicking Redo until nothing is left gives back the window at the end.
TEST(UndoSession, UndoingEverythingGivesTheStartAndRedoingGivesTheEnd) {
    const std::string knuckle = "RailVehicles\\Couplings\\Knuckle.xml";
    std::vector<testing::RecordSpec> specs = {
        unit("diesel", "Loco A", "Acme", "Pack", testing::kBufferCoupling, knuckle),
        unit("electric", "Loco B"), unit("tender", "Tender C"),
        unit("freight", "Wagon D", "Acme", "Pack", knuckle, knuckle), unit("passenger", "Coach E")};
    specs[2].capacity = "12;4";
    TempFolder temp;
    std::filesystem::create_directories(temp.gameFolder() / "Content" / "Routes");
    std::filesystem::create_directories(temp.gameFolder() / "Assets");
    temp.write("program/equipmentlist.txt", testing::cacheText(specs));

    const std::vector<std::string> actions = {"click butAddLocoLeft",    "click butAddLocoRight",
                                              "click butAddWagonLeft",   "click butAddWagonRight",
                                              "click butAddLocoRight",   "click butAddWagonRight",
                                              "click butReplaceLoco",    "click butReplaceWagon",
                                              "click butDeleteUnitLeft", "click butDeleteUnitRight",
                                              "click butShiftUnitLeft",  "click butShiftUnitRight",
                                              "click butReverseUnit",    "click butReverseAll",
                                              "click butMirrorConsist",  "click butHead",
                                              "click butTail",           "click butToSelected",
                                              "background-click",        "click mnuNextCouplerMismatch",
                                              "scroll HScroll2 ",        "new",
                                              "click mnuUndo",           "click mnuRedo"};
    std::mt19937 random(20261207);
    const auto dumpTo = [&temp](const char* name) { return "dump " + (temp.path() / name).string() + "\n"; };
    // The session starts with a step, so that nothing moved the view before it.
    std::string script = dumpTo("start.json") + "choose List1 #1\nclick butAddLocoRight\n";
    constexpr int kActions = 300;
    for (int i = 0; i < kActions; ++i) {
        script += "choose List1 #" + std::to_string(random() % 3) + "\nchoose List2 #" +
                  std::to_string(random() % 2) + "\n";
        const std::string& action = actions[random() % actions.size()];
        if (action == "new") {
            script +=
                std::string(random() % 2 == 0 ? "answer Yes\n" : "answer No\n") + "click butNewConsist\n";
        } else if (action.starts_with("scroll")) {
            script += action + std::to_string(random() % 32768) + "\n";
        } else {
            script += action + "\n";
        }
    }
    // The last action surely changes the line.
    script +=
        "answer Yes\nclick butNewConsist\nchoose List1 #0\nclick butAddLocoRight\n" + dumpTo("end.json");
    for (int i = 0; i < kActions + 5; ++i) {
        script += "click mnuUndo\n";
    }
    script += dumpTo("undone.json");
    for (int i = 0; i < kActions + 5; ++i) {
        script += "click mnuRedo\n";
    }
    script += dumpTo("redone.json");

    EditorProcess editor(temp);
    editor.storeGameFolder(temp.gameFolder());
    const auto result = editor.runScript(script, 240000);
    ASSERT_EQ(result.exitCode, 0) << result.standardError.substr(0, 2000);

    const QJsonObject start = readJson(temp.path() / "start.json");
    const QJsonObject end = readJson(temp.path() / "end.json");
    const QJsonObject undone = readJson(temp.path() / "undone.json");
    const QJsonObject redone = readJson(temp.path() / "redone.json");
    EXPECT_GT(end["state"].toObject()["unitCount"].toInt(), 0);
    EXPECT_EQ(comparable(undone, true), comparable(start, true));
    EXPECT_FALSE(undone["controls"].toObject()["mnuUndo"].toObject()["enabled"].toBool());
    // A step that deleted the only unit leaves some commands enabled until the next recomputation;
    // Redo recomputes them, so the flags are compared at the start only.
    EXPECT_EQ(comparable(redone, false), comparable(end, false));
    EXPECT_EQ(redone["controls"].toObject()["mnuUndo"], end["controls"].toObject()["mnuUndo"]);
    EXPECT_FALSE(redone["controls"].toObject()["mnuRedo"].toObject()["enabled"].toBool());
}

} // namespace
} // namespace dovrel

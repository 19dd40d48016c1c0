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

// A small model of the consist line: which units it holds, their headings and the selection,
// and which editing commands are enabled. The script's editing actions are applied to it as the
// editor should apply them.
class LineModel {
public:
    explicit LineModel(std::vector<std::string> records) : records_(std::move(records)) {}

    std::vector<std::string> units() const {
        std::vector<std::string> all;
        for (const auto& [record, reversed] : units_) {
            all.push_back(records_[record] + (reversed ? "|1" : "|0"));
        }
        return all;
    }
    int selected() const { return selected_; }
    int count() const { return static_cast<int>(units_.size()); }

    bool enabled(const std::string& control) const {
        const int n = count();
        const bool some = selected_ != -1;
        if (control == "butShiftUnitLeft") {
            return some && n >= 2 && selected_ != 0;
        }
        if (control == "butShiftUnitRight") {
            return some && n >= 2 && selected_ != n - 1;
        }
        if (control == "butReplaceLoco" || control == "butToSelected" || control == "butReverseUnit" ||
            control == "butDeleteUnitLeft" || control == "butDeleteUnitRight") {
            return some;
        }
        if (control == "butMirrorConsist" || control == "butReverseAll") {
            return n >= 2;
        }
        if (control == "butHead" || control == "butTail") {
            return n >= 1;
        }
        return true; // adds (a list entry is always chosen first), New Consist
    }

    void apply(const std::string& control, int chosen) {
        if (!enabled(control)) {
            return;
        }
        const int n = count();
        const int s = selected_;
        if (control == "butAddLocoLeft" || control == "butAddLocoRight") {
            if (n == 0) {
                units_.push_back({chosen, false});
                selected_ = 0;
            } else if (s != -1) {
                const bool left = control == "butAddLocoLeft";
                units_.insert(units_.begin() + (left ? s : s + 1), {chosen, false});
                selected_ = left ? s + 1 : s;
            }
        } else if (control == "butReplaceLoco") {
            units_[static_cast<std::size_t>(s)] = {chosen, false};
        } else if (control == "butDeleteUnitLeft" || control == "butDeleteUnitRight") {
            units_.erase(units_.begin() + s);
            if (n == 1) {
                selected_ = -1;
            } else if (s == 0) {
                selected_ = 0;
            } else if (s == n - 1) {
                selected_ = n - 2;
            } else {
                selected_ = control == "butDeleteUnitLeft" ? s - 1 : s;
            }
        } else if (control == "butShiftUnitLeft") {
            std::swap(units_[static_cast<std::size_t>(s)], units_[static_cast<std::size_t>(s - 1)]);
            selected_ = s - 1;
        } else if (control == "butShiftUnitRight") {
            std::swap(units_[static_cast<std::size_t>(s)], units_[static_cast<std::size_t>(s + 1)]);
            selected_ = s + 1;
        } else if (control == "butReverseUnit") {
            units_[static_cast<std::size_t>(s)].second = !units_[static_cast<std::size_t>(s)].second;
        } else if (control == "butReverseAll" || control == "butMirrorConsist") {
            for (auto& entry : units_) {
                entry.second = !entry.second;
            }
            if (control == "butMirrorConsist") {
                std::reverse(units_.begin(), units_.end());
                selected_ = s == -1 ? -1 : n - 1 - s;
            }
        } else if (control == "background-click") {
            selected_ = -1;
        }
    }

private:
    std::vector<std::string> records_;
    std::vector<std::pair<int, bool>> units_;
    int selected_ = -1;
};

TEST(EditSession, ALongRandomSessionMatchesTheModelAtEveryCheckpoint) {
    const std::vector<testing::RecordSpec> specs = {
        unit("diesel", "Loco A", "Acme", "Pack", testing::kBufferCoupling,
             "RailVehicles\\Couplings\\Knuckle.xml"),
        unit("electric", "Loco B"), unit("steam", "Loco C"), unit("tender", "Tender D")};
    std::vector<std::string> records;
    for (const auto& spec : specs) {
        records.push_back(testing::recordLine(spec));
    }
    TempFolder temp;
    std::filesystem::create_directories(temp.gameFolder() / "Content" / "Routes");
    std::filesystem::create_directories(temp.gameFolder() / "Assets");
    temp.write("program/equipmentlist.txt", testing::cacheText(specs));

    const std::vector<std::string> commands = {
        "butAddLocoLeft",    "butAddLocoLeft", "butAddLocoRight",   "butAddLocoRight",    "butAddLocoRight",
        "butAddLocoRight",   "butReplaceLoco", "butDeleteUnitLeft", "butDeleteUnitRight", "butShiftUnitLeft",
        "butShiftUnitRight", "butReverseUnit", "butReverseAll",     "butMirrorConsist",   "butHead",
        "butTail",           "butToSelected",  "background-click"};
    std::mt19937 random(20261206);
    LineModel model(records);
    std::string script;
    struct Checkpoint {
        std::string file;
        std::vector<std::string> units;
        int selected;
        LineModel model;
    };
    std::vector<Checkpoint> checkpoints;
    constexpr int kActions = 600;
    for (int step = 1; step <= kActions; ++step) {
        // Adds outweigh deletes so that the line grows and shrinks over the session.
        const std::string& command = commands[random() % commands.size()];
        const int chosen = static_cast<int>(random() % records.size());
        script += "choose List1 #" + std::to_string(chosen) + "\n";
        script += command == "background-click" ? "background-click\n" : "click " + command + "\n";
        model.apply(command, chosen);
        if (step % 50 == 0) {
            const std::string file = (temp.path() / ("dump" + std::to_string(step) + ".json")).string();
            script += "dump " + file + "\n";
            checkpoints.push_back({file, model.units(), model.selected(), model});
        }
    }

    EditorProcess editor(temp);
    editor.storeGameFolder(temp.gameFolder());
    const auto result = editor.runScript(script, 240000);
    ASSERT_EQ(result.exitCode, 0) << result.standardError.substr(0, 2000);

    int longest = 0;
    for (const Checkpoint& checkpoint : checkpoints) {
        SCOPED_TRACE(checkpoint.file);
        QFile file(QString::fromStdString(checkpoint.file));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QJsonObject dump = QJsonDocument::fromJson(file.readAll()).object();
        const QJsonObject state = dump["state"].toObject();
        const QJsonObject controls = dump["controls"].toObject();

        std::vector<std::string> units;
        for (const QJsonValue& value : state["consistUnits"].toArray()) {
            units.push_back(value.toString().toStdString());
        }
        ASSERT_EQ(units, checkpoint.units);
        ASSERT_EQ(state["selectedIndex"].toInt(), checkpoint.selected);
        longest = std::max(longest, static_cast<int>(units.size()));

        const int n = static_cast<int>(units.size());
        EXPECT_EQ(controls["Label10"].toObject()["text"].toString(), n == 0 ? QString() : QString::number(n));
        // Bodies stand one pitch apart, each caption names its place or the new mark.
        for (int i = 0; i < n; ++i) {
            const QJsonObject body = controls[QStringLiteral("Label1[%1]").arg(i + 1)].toObject();
            const QJsonObject first = controls[QStringLiteral("Label1[1]")].toObject();
            EXPECT_EQ(body["left"].toDouble(), first["left"].toDouble() + 1635.0 * i) << i;
            const QString caption =
                controls[QStringLiteral("Label28[%1]").arg(i + 1)].toObject()["text"].toString();
            EXPECT_TRUE(caption.contains(QStringLiteral("[%1]").arg(i + 1)) ||
                        caption.contains(QStringLiteral("[NEW]")))
                << caption.toStdString();
        }
        const double frame = controls["Label3[0]"].toObject()["left"].toDouble();
        if (checkpoint.selected >= 0) {
            EXPECT_EQ(frame, controls[QStringLiteral("Label1[%1]").arg(checkpoint.selected + 1)]
                                     .toObject()["left"]
                                     .toDouble() -
                                 120);
        }
        for (const std::string& command : commands) {
            if (command != "background-click") {
                EXPECT_EQ(controls[QString::fromStdString(command)].toObject()["enabled"].toBool(),
                          checkpoint.model.enabled(command))
                    << command;
            }
        }
    }
    EXPECT_GE(longest, 5) << "the session should build longer lines";
}

TEST(EditSession, AnAnswerQueuedEarlyWaitsForItsQuestion) {
    const std::vector<testing::RecordSpec> specs = {unit("diesel", "Loco A")};
    TempFolder temp;
    std::filesystem::create_directories(temp.gameFolder() / "Content" / "Routes");
    std::filesystem::create_directories(temp.gameFolder() / "Assets");
    temp.write("program/equipmentlist.txt", testing::cacheText(specs));
    EditorProcess editor(temp);
    editor.storeGameFolder(temp.gameFolder());
    // "Yes" is queued first; the OK box of an add without a selected unit leaves it in the queue,
    // and the New Consist question takes it.
    const auto result =
        editor.runScript("answer Yes\nchoose List1 #0\nclick butAddLocoRight\n"
                         "background-click\nclick butAddLocoRight\nclick butNewConsist\ndump " +
                         editor.dumpFile().string() + "\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    const QJsonObject dump = editor.readDump();
    EXPECT_EQ(dump["state"].toObject()["unitCount"].toInt(), 0);
    const QJsonArray messages = dump["messages"].toArray();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0].toObject()["text"].toString(), QStringLiteral("Select unit in consist."));
    EXPECT_TRUE(messages[0].toObject()["unanswered"].toBool());
    EXPECT_EQ(messages[1].toObject()["answer"].toString(), QStringLiteral("Yes"));
    EXPECT_FALSE(messages[1].toObject().contains(QStringLiteral("unanswered")));
}

TEST(EditSession, FindNarrowsTheListsAndAddsThePickedDuplicate) {
    testing::RecordSpec zed = unit("diesel", "Class 66", "Zed", "Heritage");
    zed.blueprintPath = "RailVehicles\\Zed\\Class66\\unit.xml";
    const std::vector<testing::RecordSpec> specs = {unit("diesel", "Class 66", "Acme", "Freight"),
                                                    unit("electric", "Class 90"), zed,
                                                    unit("freight", "Coal Hopper")};
    TempFolder temp;
    std::filesystem::create_directories(temp.gameFolder() / "Content" / "Routes");
    std::filesystem::create_directories(temp.gameFolder() / "Assets");
    temp.write("program/equipmentlist.txt", testing::cacheText(specs));
    EditorProcess editor(temp);
    editor.storeGameFolder(temp.gameFolder());
    const auto listOf = [](const QJsonObject& dump, const char* list) {
        return dump["controls"].toObject()[QString::fromLatin1(list)].toObject()["items"].toArray();
    };

    const auto plain = editor.runScript("dump " + editor.dumpFile().string() + "\n");
    ASSERT_EQ(plain.exitCode, 0) << plain.standardError;
    const QJsonObject before = editor.readDump();

    const auto found = editor.runScript("click mnuFindUnit\ntype txtFindUnit 66\nchoose List1 #1\n"
                                        "click butAddLocoRight\ndump " +
                                        editor.dumpFile().string() + "\n");
    ASSERT_EQ(found.exitCode, 0) << found.standardError;
    const QJsonObject narrowed = editor.readDump();
    EXPECT_EQ(listOf(narrowed, "List1"), (QJsonArray{"Class 66 (Acme)", "Class 66 (Zed)"}));
    EXPECT_EQ(listOf(narrowed, "List2"), QJsonArray{});
    EXPECT_EQ(narrowed["state"].toObject()["consistUnits"].toArray().at(0).toString().toStdString(),
              testing::recordLine(zed) + "|0");

    const auto cleared = editor.runScript("click mnuFindUnit\ntype txtFindUnit 66\ntype txtFindUnit\ndump " +
                                          editor.dumpFile().string() + "\n");
    ASSERT_EQ(cleared.exitCode, 0) << cleared.standardError;
    const QJsonObject after = editor.readDump();
    EXPECT_EQ(listOf(after, "List1"), listOf(before, "List1"));
    EXPECT_EQ(listOf(after, "List2"), listOf(before, "List2"));
}

} // namespace
} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScriptRunner.h"
#include "app/ScriptParser.h"
#include "app/ScriptServices.h"
#include "app/StateDump.h"
#include "support/WindowTest.h"
#include "widgets/ConsistStrip.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::unit;

// A script run in this process on the real window.
class ScriptRunnerTest : public testing::WindowTest {
protected:
    int run(const std::string& script) {
        ScriptRunner runner(*form, messages, fileDialogs, {messages, fileDialogs, pointer, folders});
        return runner.run(script::parseScript(script));
    }

    ScriptMessageBoxes messages;
    ScriptFileDialogs fileDialogs;
    ScriptPointer pointer;
    ScriptFolderOpener folders;
};

TEST_F(ScriptRunnerTest, ChooseComparesTheShownText) {
    // "Caf\xE9" is Windows-1252 and shows as "Café"; "Caf\xC3\xA9" is the same shown text in UTF-8.
    start({unit("freight", "Tank"), unit("freight", "Caf\xE9"), unit("freight", "Caf\xC3\xA9 Car")});
    const ListRowsView* list = form->controls().List2;

    EXPECT_EQ(run("choose List2 Caf\xC3\xA9\n"), ScriptRunner::kFinished);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(run("choose List2 Caf\xC3\xA9 Car\n"), ScriptRunner::kFinished);
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(run("choose List2 Caf\xE9\n"), ScriptRunner::kWrongLine)
        << "a script is UTF-8; no item shows this";
    EXPECT_EQ(run("choose List2 =Tank\n"), ScriptRunner::kFinished);
    EXPECT_EQ(list->currentRow(), 0);
}

TEST_F(ScriptRunnerTest, TheDumpIsCompactJsonInKeyOrder) {
    start({unit("freight", "Caf\xE9 \"Quoted\" \\ Car"), unit("diesel", "Tab\there")});
    ASSERT_EQ(run("choose List1 #0\nclick butAddLocoRight\ntype Text1 Line\x01One\n"),
              ScriptRunner::kFinished);
    const QByteArray dump = stateDump(*form, {messages, fileDialogs, pointer, folders});
    QJsonParseError error;
    const QJsonDocument parsed = QJsonDocument::fromJson(dump, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(parsed.toJson(QJsonDocument::Compact), dump) << "the layout QJsonDocument writes";
    const QJsonObject state = parsed.object()[QLatin1String("state")].toObject();
    EXPECT_EQ(state[QLatin1String("unitCount")].toInt(), 1);
    const QString name =
        state[QLatin1String("catalogue")].toArray().at(0).toString().section(QLatin1Char('|'), 1, 1);
    EXPECT_EQ(name, QStringLiteral("Caf\u00E9 \"Quoted\" \\ Car"));
    const QJsonObject body =
        parsed.object()[QLatin1String("controls")].toObject()[QLatin1String("Label1[1]")].toObject();
    EXPECT_EQ(body.value(QStringLiteral("text")).toString(), QStringLiteral("Tab\there"));
    EXPECT_EQ(body.value(QStringLiteral("left")).toDouble(), 6180.0);
    EXPECT_FALSE(body.contains(QStringLiteral("accessibleName"))) << "a painted label is not reached alone";
    const QJsonObject controls = parsed.object()[QLatin1String("controls")].toObject();
    EXPECT_EQ(controls[QLatin1String("Combo5")].toObject()[QLatin1String("accessibleName")].toString(),
              QStringLiteral("Provider filter for locomotives"));
    EXPECT_EQ(controls[QLatin1String("mnuOpenVTScenarioConsists")]
                  .toObject()[QLatin1String("accessibleName")]
                  .toString(),
              QStringLiteral("Open VT Scenario Consists"));
}

// Keys reach the control as the keyboard's do: the line's own keys, and a menu item's shortcut.
TEST_F(ScriptRunnerTest, KeysPressARealSequenceOnTheNamedControl) {
    start({unit("diesel", "Loco A"), unit("diesel", "Loco B")});
    ASSERT_EQ(run("choose List1 #0\nclick butAddLocoRight\nchoose List1 #1\nclick butAddLocoRight\n"
                  "keys picConsistLine Home, Shift+Right\n"),
              ScriptRunner::kFinished);
    const ConsistLine& line = form->editor().line();
    EXPECT_EQ(EquipmentRecord(line.unit(0)).field(RecordField::englishName), "Loco B");
    EXPECT_EQ(line.selectedIndex(), 1);
    EXPECT_TRUE(form->controls().strip->hasFocus());

    world.messages.queue(MessageAnswer::Yes); // abandon the line
    EXPECT_EQ(run("keys List2 Ctrl+N\n"), ScriptRunner::kFinished);
    EXPECT_EQ(line.unitCount(), 0) << "New Consist by its shortcut";
    ASSERT_EQ(run("click mnuAbout\nkeys Form2 Esc\n"), ScriptRunner::kFinished);
    EXPECT_FALSE(form->namedControls().find("Form2")->visible()) << "Esc closed the About window";
    EXPECT_EQ(run("keys mnuNewConsist Ctrl+N\n"), ScriptRunner::kWrongLine) << "a menu item takes no keys";
    EXPECT_EQ(run("keys Nowhere Esc\n"), ScriptRunner::kWrongLine);
}

} // namespace
} // namespace dovrel

namespace dovrel::script {
namespace {

TEST(ScriptParser, ReadsEveryActionWithItsArguments) {
    const ParseResult parsed = parseScript("# comment\n"
                                           "click butAddLocoLeft\n"
                                           "choose Combo5 Acme Rail \n"
                                           "choose List1 #12\n"
                                           "choose List1 =#12\n"
                                           "choose List1 #1a\n"
                                           "check chkCoupler[2] off\n"
                                           "type Text1 \n"
                                           "press Label1[3] right 10.5 -20\n"
                                           "press Label1[1] middle\n"
                                           "key-down 17\n"
                                           "scroll HScroll2 16385\n"
                                           "drag Label21 500 -120\n"
                                           "double-click Form4.ListView1 4\n"
                                           "answer Cancel\n"
                                           "file-dialog /games/a b/Vantor.exe\n"
                                           "file-dialog cancel\n"
                                           "background-click\n"
                                           "dump\n"
                                           "dump /tmp/out file.json\r\n"
                                           "keys picConsistLine Home, Shift+Right\n");
    ASSERT_FALSE(parsed.errorLine.has_value()) << parsed.error;
    ASSERT_EQ(parsed.lines.size(), 20u);
    EXPECT_EQ(parsed.lines[0].number, 2);
    EXPECT_EQ(std::get<Click>(parsed.lines[0].action).control, "butAddLocoLeft");

    EXPECT_EQ(std::get<Choose>(parsed.lines[1].action).text, "Acme Rail ")
        << "trailing spaces belong to the text";
    EXPECT_EQ(std::get<Choose>(parsed.lines[2].action).index, 12);
    EXPECT_EQ(std::get<Choose>(parsed.lines[3].action).text, "#12");
    EXPECT_EQ(std::get<Choose>(parsed.lines[3].action).index, std::nullopt);
    EXPECT_EQ(std::get<Choose>(parsed.lines[4].action).text, "#1a")
        << "# followed by other than digits is text";

    EXPECT_FALSE(std::get<Check>(parsed.lines[5].action).on);
    EXPECT_EQ(std::get<Type>(parsed.lines[6].action).text, "");
    const auto& press = std::get<Press>(parsed.lines[7].action);
    EXPECT_EQ(std::tuple(press.button, press.x, press.y), std::tuple(Button::Right, 10.5f, -20.0f));
    const auto& defaultPress = std::get<Press>(parsed.lines[8].action);
    EXPECT_EQ(std::pair(defaultPress.x, defaultPress.y), std::pair(630.0f, 240.0f));
    EXPECT_EQ(std::get<KeyDown>(parsed.lines[9].action).code, 17);
    EXPECT_EQ(std::get<Scroll>(parsed.lines[10].action).value, 16385);
    EXPECT_EQ(std::get<Drag>(parsed.lines[11].action).dy, -120.0f);
    EXPECT_EQ(std::get<DoubleClick>(parsed.lines[12].action).row, 4);
    EXPECT_EQ(std::get<QueueAnswer>(parsed.lines[13].action).answer, Answer::Cancel);
    EXPECT_EQ(std::get<QueueFileDialog>(parsed.lines[14].action).path, "/games/a b/Vantor.exe");
    EXPECT_EQ(std::get<QueueFileDialog>(parsed.lines[15].action).path, std::nullopt);
    EXPECT_TRUE(std::holds_alternative<BackgroundClick>(parsed.lines[16].action));
    EXPECT_EQ(std::get<Dump>(parsed.lines[17].action).file, std::nullopt);
    EXPECT_EQ(std::get<Dump>(parsed.lines[18].action).file, "/tmp/out file.json") << "the CR is dropped";
    EXPECT_EQ(std::get<Keys>(parsed.lines[19].action).sequence, "Home, Shift+Right");
}

TEST(ScriptParser, TheFirstWrongLineIsNamed) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"dump\nclick\n", 2},
        {"click a b\n", 1},
        {"choose Combo1\n", 1},
        {"press Label1[1] left 5\n", 1},
        {"key-down ctrl\n", 1},
        {"double-click Form4.ListView1 -1\n", 1},
        {"answer yes\n", 1},
        {"\n\n  click x\n", 3},
        {"Click x\n", 1},
        {"keys Text1\n", 1},
        {"keys Text1 Shift+Nowhere\n", 1},
    };
    for (const auto& [script, line] : cases) {
        const ParseResult parsed = parseScript(script);
        EXPECT_EQ(parsed.errorLine, line) << script;
        EXPECT_FALSE(parsed.error.empty()) << script;
    }
}

} // namespace
} // namespace dovrel::script

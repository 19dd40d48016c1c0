#include "app/ScriptRunner.h"
#include "app/ScriptParser.h"
#include "app/ScriptServices.h"
#include "app/StateDump.h"
#include "support/EditorProcess.h"
#include "support/WindowTest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QListWidget>
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
    const QListWidget* list = form->controls().List2;

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
    const QJsonObject state = parsed.object().value(QStringLiteral("state")).toObject();
    EXPECT_EQ(state.value(QStringLiteral("unitCount")).toInt(), 1);
    EXPECT_EQ(
        state.value(QStringLiteral("catalogue")).toArray().at(0).toString().section(QLatin1Char('|'), 1, 1),
        QStringLiteral("Caf\u00E9 \"Quoted\" \\ Car"));
    const QJsonObject body = parsed.object()
                                 .value(QStringLiteral("controls"))
                                 .toObject()
                                 .value(QStringLiteral("Label1[1]"))
                                 .toObject();
    EXPECT_EQ(body.value(QStringLiteral("text")).toString(), QStringLiteral("Tab\there"));
    EXPECT_EQ(body.value(QStringLiteral("left")).toDouble(), 6180.0);
}

TEST(ScriptArguments, ScriptWithoutAFileIsAWrongCommandLine) {
    testing::TempFolder temp;
    testing::EditorProcess editor(temp);
    const testing::EditorResult result = editor.runArguments({"--script"}, 30000);
    EXPECT_EQ(result.exitCode, ScriptRunner::kWrongLine);
    EXPECT_NE(result.standardError.find("--script"), std::string::npos) << result.standardError;
    EXPECT_EQ(result.standardOutput, "");
}

} // namespace
} // namespace dovrel

#include "app/ScriptParser.h"

#include <gtest/gtest.h>

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
                                           "dump /tmp/out file.json\r\n");
    ASSERT_FALSE(parsed.errorLine.has_value()) << parsed.error;
    ASSERT_EQ(parsed.lines.size(), 19u);
    EXPECT_EQ(parsed.lines[0].number, 2);
    EXPECT_EQ(std::get<Click>(parsed.lines[0].action).control, "butAddLocoLeft");

    const auto& byText = std::get<Choose>(parsed.lines[1].action);
    EXPECT_EQ(byText.text, "Acme Rail ") << "trailing spaces belong to the text";
    EXPECT_FALSE(byText.index.has_value());
    EXPECT_EQ(std::get<Choose>(parsed.lines[2].action).index, 12);
    EXPECT_EQ(std::get<Choose>(parsed.lines[3].action).text, "#12");
    EXPECT_FALSE(std::get<Choose>(parsed.lines[3].action).index.has_value());
    EXPECT_EQ(std::get<Choose>(parsed.lines[4].action).text, "#1a")
        << "# followed by other than digits is text";

    EXPECT_FALSE(std::get<Check>(parsed.lines[5].action).on);
    EXPECT_EQ(std::get<Type>(parsed.lines[6].action).text, "");
    const auto& press = std::get<Press>(parsed.lines[7].action);
    EXPECT_EQ(press.button, Button::Right);
    EXPECT_EQ(press.x, 10.5f);
    EXPECT_EQ(press.y, -20.0f);
    const auto& defaultPress = std::get<Press>(parsed.lines[8].action);
    EXPECT_EQ(defaultPress.x, 630.0f);
    EXPECT_EQ(defaultPress.y, 240.0f);
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
}

TEST(ScriptParser, TheFirstWrongLineIsNamed) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"dump\nclick\n", 2},
        {"click a b\n", 1},
        {"choose Combo1\n", 1},
        {"check chkCoupler[1] maybe\n", 1},
        {"press Label1[1]\n", 1},
        {"press Label1[1] left 5\n", 1},
        {"press Label1[1] left x y\n", 1},
        {"key-down ctrl\n", 1},
        {"scroll HScroll2\n", 1},
        {"drag Label21 5\n", 1},
        {"double-click Form4.ListView1 -1\n", 1},
        {"answer yes\n", 1},
        {"file-dialog\n", 1},
        {"close now\n", 1},
        {"\n\n  click x\n", 3},
        {"Click x\n", 1},
    };
    for (const auto& [script, line] : cases) {
        const ParseResult parsed = parseScript(script);
        EXPECT_EQ(parsed.errorLine, line) << script;
        EXPECT_FALSE(parsed.error.empty()) << script;
    }
}

} // namespace
} // namespace dovrel::script

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScriptParser.h"

#include "core/TextRules.h"

#include <QKeySequence>
#include <charconv>

namespace dovrel::script {

namespace {

// Splits off the next word (up to one space); the rest follows the space unchanged.
std::pair<std::string, std::string> nextWord(const std::string& text) {
    const std::size_t space = text.find(' ');
    if (space == std::string::npos) {
        return {text, std::string()};
    }
    return {text.substr(0, space), text.substr(space + 1)};
}

template <typename Number> std::optional<Number> numberOf(const std::string& text) {
    Number value{};
    if (text.empty()) {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool allDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> all;
    for (const std::string& word : splitAt(text, " ")) {
        all.push_back(word);
    }
    return all;
}

using Parsed = std::variant<Action, std::string>;

std::string unknownAction(const std::string& verb) {
    return "unknown action \"" + verb + "\"";
}

Parsed parseClick(const std::string& rest) {
    if (rest.empty() || rest.find(' ') != std::string::npos) {
        return std::string("click takes one control name");
    }
    return Action{Click{rest}};
}

Parsed parseChoose(const std::string& rest) {
    const auto [control, text] = nextWord(rest);
    if (control.empty() || rest.find(' ') == std::string::npos) {
        return std::string("choose takes a control name and a text, #N or =TEXT");
    }
    if (text.starts_with('=')) {
        return Action{Choose{control, std::nullopt, text.substr(1)}};
    }
    if (text.starts_with('#') && allDigits(text.substr(1))) {
        const auto index = numberOf<int>(text.substr(1));
        if (!index) {
            return std::string("item number out of range");
        }
        return Action{Choose{control, index, {}}};
    }
    return Action{Choose{control, std::nullopt, text}};
}

Parsed parseCheck(const std::string& rest) {
    const std::vector<std::string> parts = words(rest);
    if (parts.size() != 2 || (parts[1] != "on" && parts[1] != "off")) {
        return std::string("check takes a check box and on or off");
    }
    return Action{Check{parts[0], parts[1] == "on"}};
}

Parsed parseType(const std::string& rest) {
    const auto [control, text] = nextWord(rest);
    if (control.empty()) {
        return std::string("type takes a text box and a text");
    }
    return Action{Type{control, text}};
}

Parsed parsePress(const std::string& rest) {
    const std::vector<std::string> parts = words(rest);
    if (parts.size() != 2 && parts.size() != 4) {
        return std::string("press takes an element, a button and optionally X Y");
    }
    Press press{parts[0]};
    if (parts[1] == "left") {
        press.button = Button::Left;
    } else if (parts[1] == "right") {
        press.button = Button::Right;
    } else if (parts[1] == "middle") {
        press.button = Button::Middle;
    } else {
        return std::string("the button is left, right or middle");
    }
    if (parts.size() == 4) {
        const auto x = numberOf<float>(parts[2]);
        const auto y = numberOf<float>(parts[3]);
        if (!x || !y) {
            return std::string("X and Y are numbers of twips");
        }
        press.x = *x;
        press.y = *y;
    }
    return Action{press};
}

// A key code from 0 to 65535.
std::variant<int, std::string> keyCode(const std::string& rest) {
    const auto code = numberOf<int>(rest);
    if (!code || *code < 0 || *code > 65535) {
        return std::string("a key code is a number from 0 to 65535");
    }
    return *code;
}

Parsed parseKeyDown(const std::string& rest) {
    const auto code = keyCode(rest);
    if (const auto* failure = std::get_if<std::string>(&code)) {
        return *failure;
    }
    return Action{KeyDown{std::get<int>(code)}};
}

Parsed parseKeyUp(const std::string& rest) {
    const auto code = keyCode(rest);
    if (const auto* failure = std::get_if<std::string>(&code)) {
        return *failure;
    }
    return Action{KeyUp{std::get<int>(code)}};
}

Parsed parseKeys(const std::string& rest) {
    const auto [control, sequence] = nextWord(rest);
    if (control.empty() || sequence.empty()) {
        return std::string("keys takes a control name and a key sequence");
    }
    const QKeySequence keys =
        QKeySequence::fromString(QString::fromStdString(sequence), QKeySequence::PortableText);
    bool known = !keys.isEmpty();
    for (int i = 0; i < keys.count(); ++i) {
        known = known && keys[i].key() != Qt::Key_unknown;
    }
    if (!known) {
        return "\"" + sequence + "\" is not a key sequence such as Shift+Right";
    }
    return Action{Keys{control, sequence}};
}

Parsed parseScroll(const std::string& rest) {
    const std::vector<std::string> parts = words(rest);
    const auto value = parts.size() == 2 ? numberOf<int>(parts[1]) : std::nullopt;
    if (!value) {
        return std::string("scroll takes a scroll bar and a value");
    }
    return Action{Scroll{parts[0], *value}};
}

Parsed parseDrag(const std::string& rest) {
    const std::vector<std::string> parts = words(rest);
    const auto dx = parts.size() == 3 ? numberOf<float>(parts[1]) : std::nullopt;
    const auto dy = parts.size() == 3 ? numberOf<float>(parts[2]) : std::nullopt;
    if (!dx || !dy) {
        return std::string("drag takes a control and DX DY in twips");
    }
    return Action{Drag{parts[0], *dx, *dy}};
}

Parsed parseDoubleClick(const std::string& rest) {
    const std::vector<std::string> parts = words(rest);
    const auto row = parts.size() == 2 && allDigits(parts[1]) ? numberOf<int>(parts[1]) : std::nullopt;
    if (!row) {
        return std::string("double-click takes a list view and a row number");
    }
    return Action{DoubleClick{parts[0], *row}};
}

Parsed parseAnswer(const std::string& rest) {
    if (rest == "Yes") {
        return Action{QueueAnswer{Answer::Yes}};
    }
    if (rest == "No") {
        return Action{QueueAnswer{Answer::No}};
    }
    if (rest == "Cancel") {
        return Action{QueueAnswer{Answer::Cancel}};
    }
    if (rest == "OK") {
        return Action{QueueAnswer{Answer::OK}};
    }
    return std::string("answer takes Yes, No, Cancel or OK");
}

Parsed parseFileDialog(const std::string& rest) {
    if (rest.empty()) {
        return std::string("file-dialog takes a path or cancel");
    }
    if (rest == "cancel") {
        return Action{QueueFileDialog{std::nullopt}};
    }
    return Action{QueueFileDialog{rest}};
}

Parsed parseBackgroundClick(const std::string& rest) {
    if (!rest.empty()) {
        return unknownAction("background-click");
    }
    return Action{BackgroundClick{}};
}

Parsed parseClose(const std::string& rest) {
    if (!rest.empty()) {
        return unknownAction("close");
    }
    return Action{Close{}};
}

Parsed parseDump(const std::string& rest) {
    if (rest.empty()) {
        return Action{Dump{std::nullopt}};
    }
    return Action{Dump{rest}};
}

Parsed parseScreenshot(const std::string& rest) {
    if (rest.empty()) {
        return std::string("screenshot takes a file");
    }
    return Action{Screenshot{"Form1", rest}};
}

Parsed parseScreenshotOf(const std::string& rest) {
    const auto [window, file] = nextWord(rest);
    if (window.empty() || file.empty()) {
        return std::string("screenshot-of takes a window and a file");
    }
    return Action{Screenshot{window, file}};
}

// Every action word and what reads the rest of its line.
struct Verb {
    std::string_view word;
    Parsed (*parse)(const std::string& rest);
};
constexpr Verb kVerbs[] = {
    {"click", parseClick},
    {"choose", parseChoose},
    {"check", parseCheck},
    {"type", parseType},
    {"press", parsePress},
    {"key-down", parseKeyDown},
    {"key-up", parseKeyUp},
    {"keys", parseKeys},
    {"scroll", parseScroll},
    {"drag", parseDrag},
    {"double-click", parseDoubleClick},
    {"answer", parseAnswer},
    {"file-dialog", parseFileDialog},
    {"background-click", parseBackgroundClick},
    {"close", parseClose},
    {"dump", parseDump},
    {"screenshot", parseScreenshot},
    {"screenshot-of", parseScreenshotOf},
};

} // namespace

std::variant<Action, std::string> parseLine(const std::string& line) {
    const auto [verb, rest] = nextWord(line);
    for (const Verb& known : kVerbs) {
        if (known.word == verb) {
            return known.parse(rest);
        }
    }
    return unknownAction(verb);
}

ParseResult parseScript(const std::string& bytes) {
    ParseResult result;
    const std::vector<std::string> lines = splitAt(bytes, "\n");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i];
        if (line.ends_with('\r')) {
            line.pop_back();
        }
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        const int number = static_cast<int>(i) + 1;
        auto parsed = parseLine(line);
        if (auto* error = std::get_if<std::string>(&parsed)) {
            result.errorLine = number;
            result.error = *error;
            return result;
        }
        result.lines.push_back({number, line, std::get<Action>(parsed)});
    }
    return result;
}

} // namespace dovrel::script

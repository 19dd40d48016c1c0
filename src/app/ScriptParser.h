// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

// The lines of a scripted session. One action a line; a trailing CR is dropped; "#" at the start of
// a line begins a comment; everything after the action's fixed words, trailing spaces included, is
// its text.
namespace dovrel::script {

struct Click {
    std::string control;
};
// choose NAME TEXT, choose NAME #N (digits only after "#"), choose NAME =TEXT.
struct Choose {
    std::string control;
    std::optional<int> index;
    std::string text;
};
struct Check {
    std::string control;
    bool on = false;
};
struct Type {
    std::string control;
    std::string text;
};
enum class Button { Left, Right, Middle };
struct Press {
    std::string control;
    Button button = Button::Left;
    float x = 630.0f;
    float y = 240.0f;
};
struct KeyDown {
    int code = 0;
};
struct KeyUp {
    int code = 0;
};
// keys NAME SEQUENCE: the sequence in Qt's portable text ("Shift+Right", "Ctrl+S", "Esc"; up to
// four keys separated by ", ") pressed and released on the control, each as a real key event.
struct Keys {
    std::string control;
    std::string sequence;
};
struct Scroll {
    std::string control;
    int value = 0;
};
struct Drag {
    std::string control;
    float dx = 0.0f;
    float dy = 0.0f;
};
struct DoubleClick {
    std::string control;
    int row = 0;
};
enum class Answer { Yes, No, Cancel, OK };
struct QueueAnswer {
    Answer answer = Answer::OK;
};
struct QueueFileDialog {
    std::optional<std::string> path; // nothing: cancel
};
struct BackgroundClick {};
struct Close {};
struct Dump {
    std::optional<std::string> file;
};
// screenshot FILE: the main window as a PNG; screenshot-of WINDOW FILE: another window (Form2-Form4).
struct Screenshot {
    std::string window;
    std::string file;
};

using Action = std::variant<Click, Choose, Check, Type, Press, KeyDown, KeyUp, Scroll, Drag, DoubleClick,
                            QueueAnswer, QueueFileDialog, BackgroundClick, Close, Dump, Screenshot, Keys>;

struct Line {
    int number = 0; // 1-based
    std::string text;
    Action action;
};

struct ParseResult {
    std::vector<Line> lines;
    // The first wrong line, if any: its number and what is wrong with it.
    std::optional<int> errorLine;
    std::string error;
};

// Parses a whole script; blank lines and comments are skipped. Parsing stops at the first wrong line.
ParseResult parseScript(const std::string& bytes);

// One line (without its line end); an error text when it is wrong.
std::variant<Action, std::string> parseLine(const std::string& line);

} // namespace dovrel::script

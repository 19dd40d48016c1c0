// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ScriptParser.h"
#include "app/StateDump.h"

#include <string>

namespace dovrel {

class Form1;
class ScriptFileDialogs;
class ScriptMessageBoxes;

// Performs a script's actions on the real window, one line after the other, each with whatever
// long operation it starts run to completion before the next.
class ScriptRunner {
public:
    // Exit codes of a scripted session.
    static constexpr int kFinished = 0;
    static constexpr int kWrongLine = 2;

    ScriptRunner(Form1& form, ScriptMessageBoxes& messages, ScriptFileDialogs& fileDialogs,
                 const ScriptRecords& records);

    // Runs every line; returns kFinished at the end or after the window was closed, kWrongLine
    // after writing the wrong line's message to standard error.
    int run(const script::ParseResult& script);

private:
    // An error text when the line is wrong; empty when it ran (or did nothing, as for a user).
    std::string perform(const script::Action& action);
    std::string click(const script::Click& action);
    std::string choose(const script::Choose& action);
    std::string check(const script::Check& action);
    std::string type(const script::Type& action);
    std::string press(const script::Press& action);
    std::string scroll(const script::Scroll& action);
    std::string drag(const script::Drag& action);
    std::string doubleClick(const script::DoubleClick& action);
    std::string keys(const script::Keys& action);
    std::string dump(const script::Dump& action);
    std::string screenshot(const script::Screenshot& action);
    bool closed() const;

    Form1& form_;
    ScriptMessageBoxes& messages_;
    ScriptFileDialogs& fileDialogs_;
    ScriptRecords records_;
};

} // namespace dovrel

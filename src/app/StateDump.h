// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace dovrel {

class Form1;
class ScriptFileDialogs;
class ScriptFolderOpener;
class ScriptMessageBoxes;
class ScriptPointer;

// What a scripted session has recorded besides the window itself.
struct ScriptRecords {
    const ScriptMessageBoxes& messages;
    const ScriptFileDialogs& fileDialogs;
    const ScriptPointer& pointer;
    const ScriptFolderOpener& folders;
};

// The whole state as the text of one compact JSON object: caption, controls, cursor, fileDialogs,
// messages, openedFolders, settings, state.
QByteArray stateDump(Form1& form, const ScriptRecords& records);

} // namespace dovrel

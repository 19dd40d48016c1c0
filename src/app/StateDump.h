#pragma once

#include <QJsonObject>

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

// The whole state as one JSON object: caption, controls, state, messages, fileDialogs, settings,
// cursor, openedFolders.
QJsonObject stateDump(Form1& form, const ScriptRecords& records);

} // namespace dovrel

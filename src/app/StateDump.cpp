#include "app/StateDump.h"

#include "app/Form1.h"
#include "app/ScriptServices.h"
#include "consist/ConsistEditor.h"
#include "platform/qt/TextConversion.h"

#include <QJsonArray>
#include <algorithm>
#include <vector>

namespace dovrel {

namespace {
QJsonValue text(std::string_view bytes) {
    return displayText(bytes);
}

QJsonArray textArray(const auto& texts) {
    QJsonArray array;
    for (const auto& entry : texts) {
        array.append(text(entry));
    }
    return array;
}

QJsonObject controlJson(const NamedControl& control) {
    QJsonObject object;
    object.insert(QStringLiteral("kind"), QString::fromLatin1(controlKindName(control.kind())));
    object.insert(QStringLiteral("text"), text(control.text()));
    object.insert(QStringLiteral("enabled"), control.enabled());
    object.insert(QStringLiteral("visible"), control.visible());
    if (const auto checked = control.checked()) {
        object.insert(QStringLiteral("checked"), *checked);
    }
    if (const auto rect = control.geometry()) {
        object.insert(QStringLiteral("left"), static_cast<double>(rect->left));
        object.insert(QStringLiteral("top"), static_cast<double>(rect->top));
        object.insert(QStringLiteral("width"), static_cast<double>(rect->width));
        object.insert(QStringLiteral("height"), static_cast<double>(rect->height));
    }
    if (const auto items = control.items()) {
        object.insert(QStringLiteral("items"), textArray(*items));
    }
    if (const auto current = control.current()) {
        object.insert(QStringLiteral("current"), *current);
    }
    if (const auto columns = control.columns()) {
        object.insert(QStringLiteral("columns"), textArray(*columns));
    }
    if (const auto rows = control.rows()) {
        QJsonArray all;
        for (const auto& row : *rows) {
            all.append(textArray(row));
        }
        object.insert(QStringLiteral("rows"), all);
    }
    return object;
}

QJsonObject editorState(Form1& form) {
    const ConsistEditor& editor = form.editor();
    const ConsistDisplay& display = editor.display();
    QJsonObject state;
    state.insert(QStringLiteral("unitCount"), editor.line().unitCount());
    state.insert(QStringLiteral("selectedIndex"), editor.line().selectedIndex());
    state.insert(QStringLiteral("anchorIndex"), display.anchorIndex());
    state.insert(QStringLiteral("anchorLeft"), static_cast<double>(display.anchorLeft()));
    state.insert(QStringLiteral("firstUnitLeft"), static_cast<double>(display.firstUnitLeft()));
    state.insert(QStringLiteral("scrollReference"), display.scrollReference());
    state.insert(QStringLiteral("consistUnits"), textArray(editor.line().units()));
    state.insert(QStringLiteral("listedConsists"), textArray(form.listedConsistRows()));
    state.insert(QStringLiteral("catalogue"), textArray(form.catalogue().records()));
    state.insert(QStringLiteral("unitWeight"), text(form.unitWeight()));
    state.insert(QStringLiteral("gameFolder"), text(form.folders().gameFolder.string()));
    state.insert(QStringLiteral("lastConverterResult"), form.converter().lastConverterResult());
    return state;
}
} // namespace

QJsonObject stateDump(Form1& form, const ScriptRecords& records) {
    QJsonObject dump;
    dump.insert(QStringLiteral("caption"), form.windowTitle());

    // A JSON object keeps its members in key order; adding them in that order appends each one
    // instead of moving every later member (a long consist line has tens of thousands).
    std::vector<std::pair<QString, const NamedControl*>> named;
    for (const std::string& address : form.namedControls().addresses()) {
        if (const NamedControl* control = form.namedControls().find(address)) {
            named.emplace_back(QString::fromStdString(address), control);
        }
    }
    std::sort(named.begin(), named.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QJsonObject controls;
    for (const auto& [address, control] : named) {
        controls.insert(address, controlJson(*control));
    }
    dump.insert(QStringLiteral("controls"), controls);
    dump.insert(QStringLiteral("state"), editorState(form));

    QJsonArray messages;
    for (const RecordedMessage& message : records.messages.recorded()) {
        messages.append(messageToJson(message));
    }
    dump.insert(QStringLiteral("messages"), messages);

    QJsonArray dialogs;
    for (const RecordedFileDialog& dialog : records.fileDialogs.recorded()) {
        QJsonObject object;
        object.insert(QStringLiteral("title"), text(dialog.title));
        object.insert(QStringLiteral("folder"), text(dialog.folder.string()));
        object.insert(QStringLiteral("filter"), text(dialog.filter));
        object.insert(QStringLiteral("result"), dialog.result ? text(dialog.result->string()) : QJsonValue());
        dialogs.append(object);
    }
    dump.insert(QStringLiteral("fileDialogs"), dialogs);

    QJsonObject settings;
    for (const char* key : {"GameFolder", "UnitMeasure"}) {
        if (const auto value = form.services().settings.value(key)) {
            settings.insert(QString::fromLatin1(key), text(*value));
        }
    }
    dump.insert(QStringLiteral("settings"), settings);

    if (const auto& cursor = records.pointer.last()) {
        dump.insert(QStringLiteral("cursor"),
                    QJsonObject{{QStringLiteral("x"), cursor->x}, {QStringLiteral("y"), cursor->y}});
    } else {
        dump.insert(QStringLiteral("cursor"), QJsonValue());
    }
    QJsonArray opened;
    for (const auto& folder : records.folders.opened()) {
        opened.append(text(folder.string()));
    }
    dump.insert(QStringLiteral("openedFolders"), opened);
    return dump;
}

} // namespace dovrel

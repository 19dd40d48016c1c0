// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StateDump.h"

#include "app/Form1.h"
#include "app/ScriptServices.h"
#include "consist/ConsistEditor.h"
#include "core/TextRules.h"
#include "platform/qt/TextConversion.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <algorithm>
#include <vector>

namespace dovrel {

namespace {

// Compact JSON text written straight into one buffer, in the layout of QJsonDocument::Compact
// (members in key order, which each caller keeps). A dump of a long consist line holds tens of
// thousands of controls; building QJsonObjects for them costs many times more than writing them.
class JsonText {
public:
    QByteArray take() { return std::move(bytes_); }

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    void key(const char* name) {
        comma();
        quoted(QByteArray(name));
        bytes_ += ':';
        afterKey_ = true;
    }
    void key(const QString& name) {
        comma();
        quoted(name.toUtf8());
        bytes_ += ':';
        afterKey_ = true;
    }
    // Bytes from the game's files or the window, shown as the window shows them.
    void text(std::string_view bytes) {
        comma();
        quoted(displayText(bytes).toUtf8());
    }
    void text(const QString& value) {
        comma();
        quoted(value.toUtf8());
    }
    void number(double value) {
        comma();
        bytes_ += QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
    }
    void integer(long long value) {
        comma();
        bytes_ += QByteArray::number(value);
    }
    void boolean(bool value) {
        comma();
        bytes_ += value ? "true" : "false";
    }
    // A value made by QJsonDocument, for the small parts.
    void value(const QJsonObject& object) {
        comma();
        bytes_ += QJsonDocument(object).toJson(QJsonDocument::Compact);
    }
    void value(const QJsonArray& array) {
        comma();
        bytes_ += QJsonDocument(array).toJson(QJsonDocument::Compact);
    }
    void null() {
        comma();
        bytes_ += "null";
    }
    template <typename Texts> void textArray(const Texts& texts) {
        beginArray();
        for (const auto& entry : texts) {
            text(std::string_view(entry));
        }
        endArray();
    }

private:
    void open(char bracket) {
        comma();
        bytes_ += bracket;
        first_ = true;
    }
    void close(char bracket) {
        bytes_ += bracket;
        first_ = false;
    }
    // Separates a value from the one before it, unless it opens its container or follows its key.
    void comma() {
        if (afterKey_) {
            afterKey_ = false;
            return;
        }
        if (!first_) {
            bytes_ += ',';
        }
        first_ = false;
    }
    void quoted(const QByteArray& utf8) {
        std::string literal;
        appendJsonQuoted(literal, std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
        bytes_.append(literal.data(), static_cast<qsizetype>(literal.size()));
    }

    QByteArray bytes_;
    bool first_ = true;
    bool afterKey_ = false;
};

// One control's members, in key order.
void writeControl(JsonText& json, const NamedControl& control) {
    json.beginObject();
    if (const auto name = control.accessibleName()) {
        json.key("accessibleName");
        json.text(*name);
    }
    if (const auto checked = control.checked()) {
        json.key("checked");
        json.boolean(*checked);
    }
    if (const auto columns = control.columns()) {
        json.key("columns");
        json.textArray(*columns);
    }
    if (const auto current = control.current()) {
        json.key("current");
        json.integer(*current);
    }
    json.key("enabled");
    json.boolean(control.enabled());
    const auto rect = control.geometry();
    if (rect) {
        json.key("height");
        json.number(static_cast<double>(rect->height));
    }
    if (const auto items = control.items()) {
        json.key("items");
        json.textArray(*items);
    }
    json.key("kind");
    json.text(std::string_view(controlKindName(control.kind())));
    if (rect) {
        json.key("left");
        json.number(static_cast<double>(rect->left));
    }
    if (const auto rows = control.rows()) {
        json.key("rows");
        json.beginArray();
        for (const auto& row : *rows) {
            json.textArray(row);
        }
        json.endArray();
    }
    json.key("text");
    json.text(control.text());
    if (rect) {
        json.key("top");
        json.number(static_cast<double>(rect->top));
    }
    json.key("visible");
    json.boolean(control.visible());
    if (rect) {
        json.key("width");
        json.number(static_cast<double>(rect->width));
    }
    json.endObject();
}

void writeControls(JsonText& json, Form1& form) {
    std::vector<std::pair<QString, const NamedControl*>> named;
    for (const std::string& address : form.namedControls().addresses()) {
        if (const NamedControl* control = form.namedControls().find(address)) {
            named.emplace_back(QString::fromStdString(address), control);
        }
    }
    std::sort(named.begin(), named.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    json.beginObject();
    for (const auto& [address, control] : named) {
        json.key(address);
        writeControl(json, *control);
    }
    json.endObject();
}

// The consist line and the catalogue, in key order.
void writeEditorState(JsonText& json, Form1& form) {
    const ConsistEditor& editor = form.editor();
    const ConsistDisplay& display = editor.display();
    json.beginObject();
    json.key("anchorIndex");
    json.integer(display.anchorIndex());
    json.key("anchorLeft");
    json.number(static_cast<double>(display.anchorLeft()));
    json.key("catalogue");
    json.textArray(form.catalogue().records());
    json.key("consistUnits");
    json.textArray(editor.line().units());
    json.key("firstUnitLeft");
    json.number(static_cast<double>(display.firstUnitLeft()));
    json.key("gameFolder");
    json.text(form.folders().gameFolder.string());
    json.key("lastConverterResult");
    json.integer(form.converter().lastConverterResult());
    json.key("listedConsists");
    json.textArray(form.listedConsistRows());
    json.key("scrollReference");
    json.integer(display.scrollReference());
    json.key("selectedIndex");
    json.integer(editor.line().selectedIndex());
    json.key("unitCount");
    json.integer(editor.line().unitCount());
    json.key("unitWeight");
    json.text(form.unitWeight());
    json.endObject();
}

QJsonValue shown(std::string_view bytes) {
    return displayText(bytes);
}
} // namespace

QByteArray stateDump(Form1& form, const ScriptRecords& records) {
    JsonText json;
    json.beginObject();
    json.key("caption");
    json.text(form.windowTitle());
    json.key("controls");
    writeControls(json, form);

    json.key("cursor");
    if (const auto& cursor = records.pointer.last()) {
        json.value(QJsonObject{{QStringLiteral("x"), cursor->x}, {QStringLiteral("y"), cursor->y}});
    } else {
        json.null();
    }

    QJsonArray dialogs;
    for (const RecordedFileDialog& dialog : records.fileDialogs.recorded()) {
        QJsonObject object;
        object.insert(QStringLiteral("title"), shown(dialog.title));
        object.insert(QStringLiteral("folder"), shown(dialog.folder.string()));
        object.insert(QStringLiteral("filter"), shown(dialog.filter));
        object.insert(QStringLiteral("result"),
                      dialog.result ? shown(dialog.result->string()) : QJsonValue());
        if (dialog.save) {
            object.insert(QStringLiteral("save"), true);
        }
        dialogs.append(object);
    }
    json.key("fileDialogs");
    json.value(dialogs);

    QJsonArray messages;
    for (const RecordedMessage& message : records.messages.recorded()) {
        messages.append(messageToJson(message));
    }
    json.key("messages");
    json.value(messages);

    QJsonArray opened;
    for (const auto& folder : records.folders.opened()) {
        opened.append(shown(folder.string()));
    }
    json.key("openedFolders");
    json.value(opened);

    QJsonObject settings;
    // The zoom changes only pixels, so a dump is the same at any zoom.
    for (const char* key : {kGameFolderKey, kUnitMeasureKey, kCollectScanMessagesKey}) {
        if (const auto value = form.services().settings.value(key)) {
            settings.insert(QString::fromLatin1(key), shown(*value));
        }
    }
    json.key("settings");
    json.value(settings);

    json.key("state");
    writeEditorState(json, form);
    json.endObject();
    return json.take();
}

} // namespace dovrel

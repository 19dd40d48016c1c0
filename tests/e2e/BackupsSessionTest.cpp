#include "support/CatalogueRecords.h"
#include "support/EditorProcess.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::EditorProcess;
using testing::TempFolder;
using testing::unit;

QJsonObject readJson(const fs::path& file) {
    QFile in(QString::fromStdString(file.string()));
    return in.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(in.readAll()).object() : QJsonObject{};
}

QStringList items(const QJsonObject& dump, const char* control) {
    QStringList texts;
    for (const QJsonValue& item : dump["controls"].toObject()[control].toObject()["items"].toArray()) {
        texts << item.toString();
    }
    return texts;
}

// Two saves through the window, then the older file put back through File > Restore User
// Consists... with the real converter.
TEST(BackupsSession, TheFileAsItWasBeforeASaveIsPutBackFromTheRestoreWindow) {
    TempFolder temp;
    fs::create_directories(temp.gameFolder() / "Content" / "Routes");
    fs::create_directories(temp.gameFolder() / "Assets");
    temp.write("program/equipmentlist.txt",
               testing::cacheText({unit("diesel", "Class 20"), unit("freight", "Hopper")}));
    EditorProcess editor(temp);
    editor.storeGameFolder(temp.gameFolder());
    const fs::path listed = temp.programFolder() / "listed.json";
    const fs::path restored = temp.programFolder() / "restored.json";

    const auto result = editor.runScript(
        "choose List1 #0\nclick butAddLocoRight\ntype Text1 Alpha\nclick mnuSaveConsistToVTUserConsists\n"
        "type Text1 Beta\nclick mnuSaveConsistToVTUserConsists\n"
        "click mnuRestoreUserConsists\ndump " +
        listed.string() +
        "\n"
        "choose FormRestore.lstBackups #0\nanswer Yes\nclick FormRestore.butRestore\n"
        "click mnuOpenVTUserConsists\ndump " +
        restored.string() + "\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;

    // The first save made the file, so there was nothing to keep; the second kept "Alpha" alone.
    const QStringList backups = items(readJson(listed), "FormRestore.lstBackups");
    ASSERT_EQ(backups.size(), 1) << backups.join("|").toStdString();
    EXPECT_TRUE(backups[0].endsWith(QStringLiteral("  (1)  Alpha"))) << backups[0].toStdString();

    const QJsonObject after = readJson(restored);
    const QStringList rows = items(after, "List3");
    ASSERT_EQ(rows.size(), 1) << rows.join("|").toStdString();
    EXPECT_TRUE(rows[0].endsWith(QStringLiteral("\tAlpha")));
    bool told = false;
    for (const QJsonValue& message : after["messages"].toArray()) {
        told = told || message.toObject()["text"].toString().startsWith(
                           QStringLiteral("User consists restored from the copy of "));
    }
    EXPECT_TRUE(told);
    // The file the restore replaced, holding both consists, is kept as well.
    EXPECT_EQ(
        std::distance(fs::directory_iterator(temp.programFolder() / "Backups"), fs::directory_iterator{}), 2);
}

} // namespace
} // namespace dovrel

// The editor on a real X server: Xvfb, with Qt's xcb platform instead of the offscreen one every
// other window test uses. A scripted session browses, composes, saves and lists a consist, then
// takes a picture of the window.
#include "support/EditorProcess.h"

#include <QImage>
#include <QJsonArray>
#include <QProcess>
#include <gtest/gtest.h>

#include <set>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::EditorProcess;
using testing::TempFolder;

// An Xvfb server on the first free display, for as long as the object lives.
class XServer {
public:
    XServer() {
        // -displayfd picks a free display and writes its number to standard output.
        server_.start(QStringLiteral("Xvfb"),
                      {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                       QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                       QStringLiteral("tcp"), QStringLiteral("-noreset")});
        if (!server_.waitForStarted(10000)) {
            failure_ = "Xvfb does not start: " + server_.errorString().toStdString();
            return;
        }
        QByteArray number;
        while (!number.contains('\n') && server_.waitForReadyRead(30000)) {
            number += server_.readAllStandardOutput();
        }
        if (!number.contains('\n')) {
            failure_ = "Xvfb names no display: " + server_.readAllStandardError().toStdString();
            return;
        }
        display_ = ":" + number.trimmed().toStdString();
    }
    ~XServer() {
        server_.terminate();
        if (!server_.waitForFinished(10000)) {
            server_.kill();
            server_.waitForFinished();
        }
    }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    const std::string& display() const { return display_; }
    const std::string& failure() const { return failure_; }

private:
    QProcess server_;
    std::string display_;
    std::string failure_;
};

std::vector<std::string> strings(const QJsonValue& array) {
    std::vector<std::string> all;
    for (const QJsonValue& value : array.toArray()) {
        all.push_back(value.toString().toStdString());
    }
    return all;
}

TEST(XSession, TheEditorBrowsesComposesSavesAndListsAConsistOnAnXServer) {
    TempFolder temp;
    QProcess generator;
    generator.start(QString::fromLatin1(DOVREL_BIN_DIR "/make-sample-game"),
                    {QString::fromStdString(temp.gameFolder().string()), QStringLiteral("--seed"),
                     QStringLiteral("3"), QStringLiteral("--units"), QStringLiteral("60")});
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();

    const XServer server;
    ASSERT_TRUE(server.failure().empty()) << server.failure();
    EditorProcess editor(temp);
    editor.storeGameFolder(temp.gameFolder());
    editor.setEnvironment("QT_QPA_PLATFORM", "xcb");
    editor.setEnvironment("DISPLAY", server.display());
    editor.setEnvironment("DOVREL_RANDOM_SEED", "22");
    const fs::path picture = temp.path() / "window.png";
    const auto result = editor.runScript("choose Combo5 #1\n"
                                         "choose List1 #0\n"
                                         "click butAddLocoRight\n"
                                         "choose List2 #0\n"
                                         "click butAddWagonRight\n"
                                         "click butAddWagonRight\n"
                                         "type Text1 Night Freight\n"
                                         "click mnuSaveConsistToVTUserConsists\n"
                                         "click mnuOpenVTUserConsists\n"
                                         "screenshot " +
                                         picture.string() + "\ndump " + editor.dumpFile().string() + "\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;

    const QJsonObject dump = editor.readDump();
    const QJsonObject state = dump["state"].toObject();
    EXPECT_FALSE(state["catalogue"].toArray().isEmpty());
    EXPECT_EQ(state["unitCount"].toInt(), 3);
    const std::vector<std::string> units = strings(state["consistUnits"]);
    ASSERT_EQ(units.size(), 3u);
    EXPECT_EQ(units[1], units[2]); // the same wagon twice
    const std::vector<std::string> listed = strings(dump["controls"].toObject()["List3"].toObject()["items"]);
    EXPECT_EQ(std::count_if(listed.begin(), listed.end(),
                            [](const std::string& item) { return item.ends_with("\tNight Freight"); }),
              1)
        << result.standardError;
    std::vector<std::string> messages;
    for (const QJsonValue& message : dump["messages"].toArray()) {
        messages.push_back(message.toObject()["text"].toString().toStdString());
    }
    EXPECT_NE(std::find(messages.begin(), messages.end(), "Consist saved."), messages.end())
        << result.standardError;

    // A picture of the whole window with something drawn in it, not one flat colour.
    const QImage image(QString::fromStdString(picture.string()));
    ASSERT_FALSE(image.isNull());
    const QSize client(qRound(13815 / 15.0), qRound(10080 / 15.0));
    EXPECT_GE(image.width(), client.width());
    EXPECT_GE(image.height(), client.height());
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            colours.insert(image.pixel(x, y));
        }
    }
    EXPECT_GE(colours.size(), 50u);
}

} // namespace
} // namespace dovrel

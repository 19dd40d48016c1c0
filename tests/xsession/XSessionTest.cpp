// SPDX-License-Identifier: GPL-3.0-or-later
// The editor on a real X server: Xvfb, with Qt's xcb platform instead of the offscreen one every
// other window test uses. A scripted session composes, saves and lists a consist, then takes a
// picture of the window.
#include "support/EditorProcess.h"

#include <QImage>
#include <QJsonArray>
#include <QProcess>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace dovrel {
namespace {

using testing::EditorProcess;
using testing::TempFolder;

// An Xvfb server on the first free display (-displayfd writes its number), for as long as it lives.
class XServer {
public:
    XServer() {
        server_.start(QStringLiteral("Xvfb"),
                      QStringLiteral("-displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset")
                          .split(QLatin1Char(' ')));
        QByteArray number;
        while (server_.waitForStarted(10000) && !number.contains('\n') && server_.waitForReadyRead(30000)) {
            number += server_.readAllStandardOutput();
        }
        display_ = number.contains('\n') ? ":" + number.trimmed().toStdString() : "";
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

    // Empty when Xvfb does not start or names no display.
    const std::string& display() const { return display_; }

private:
    QProcess server_;
    std::string display_;
};

TEST(XSession, TheEditorComposesSavesAndListsAConsistOnAnXServer) {
    TempFolder temp;
    QProcess generator;
    generator.start(QStringLiteral(DOVREL_BIN_DIR "/make-sample-game"),
                    {QString::fromStdString(temp.gameFolder().string()), QStringLiteral("--seed"),
                     QStringLiteral("3"), QStringLiteral("--units"), QStringLiteral("60")});
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();

    const XServer server;
    ASSERT_FALSE(server.display().empty()) << "Xvfb does not start";
    EditorProcess editor(temp);
    editor.storeGameFolder(temp.gameFolder());
    editor.setEnvironment("QT_QPA_PLATFORM", "xcb");
    editor.setEnvironment("DISPLAY", server.display());
    editor.setEnvironment("DOVREL_RANDOM_SEED", "22");
    const std::string picture = (temp.path() / "window.png").string();
    const auto result = editor.runScript("choose Combo5 #1\nchoose List1 #0\nclick butAddLocoRight\n"
                                         "choose List2 #0\nclick butAddWagonRight\nclick butAddWagonRight\n"
                                         "type Text1 Night Freight\nclick mnuSaveConsistToVTUserConsists\n"
                                         "click mnuOpenVTUserConsists\nscreenshot " +
                                         picture + "\ndump " + editor.dumpFile().string() + "\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;

    const QJsonObject dump = editor.readDump();
    const QJsonObject state = dump[QLatin1String("state")].toObject();
    const QJsonArray units = state[QLatin1String("consistUnits")].toArray();
    ASSERT_EQ(units.size(), 3);
    EXPECT_EQ(units[1], units[2]); // the same wagon twice
    int listed = 0;
    for (const QJsonValue& item : dump[QLatin1String("controls")]
                                      .toObject()[QLatin1String("List3")]
                                      .toObject()[QLatin1String("items")]
                                      .toArray()) {
        listed += item.toString().endsWith(QLatin1String("\tNight Freight")) ? 1 : 0;
    }
    EXPECT_EQ(listed, 1) << result.standardError;
    EXPECT_TRUE(std::ranges::any_of(dump[QLatin1String("messages")].toArray(), [](const QJsonValue& message) {
        return message.toObject()[QLatin1String("text")].toString() == QLatin1String("Consist saved.");
    })) << result.standardError;

    // A picture of the whole window with something drawn in it, not one flat colour.
    const QImage image(QString::fromStdString(picture));
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), qRound(13815 / 15.0));
    EXPECT_GE(image.height(), qRound(10080 / 15.0));
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/EditorProcess.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QProcessEnvironment>
#include <fstream>
#include <unistd.h>

namespace dovrel::testing {

namespace fs = std::filesystem;

EditorResult EditorProcess::runScript(const std::string& script, int timeoutMs) {
    const fs::path file = folder_.write("script.txt", script);
    return runArguments({"--script", file.string()}, timeoutMs);
}

EditorResult EditorProcess::runArguments(const std::vector<std::string>& arguments, int timeoutMs) {
    if (!settings_.empty()) {
        std::string conf = "[Preferences]\n";
        for (const auto& [key, value] : settings_) {
            conf += key + "=" + value + "\n";
        }
        folder_.write("config/DovrelConsistEditor/DovrelConsistEditor.conf", conf);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       QString::fromStdString(folder_.configFolder().string()));
    environment.insert(QStringLiteral("DOVREL_PROGRAM_FOLDER"),
                       QString::fromStdString(folder_.programFolder().string()));
    // The unprivileged user may not reach the checkout or the build folder (a checkout under /root).
    const fs::path copies = folder_.path() / "unprivileged"; // the editor runs the serz beside it
    fs::path screenFile = fs::path(DOVREL_SOURCE_DIR) / "tests" / "screens" / "screen-1280x1024.json";
    if (unprivileged_) {
        fs::create_directories(copies);
        fs::permissions(copies, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
        for (const fs::path& file : {editorExecutable(), serzExecutable(), screenFile}) {
            fs::copy_file(file, copies / file.filename(), fs::copy_options::overwrite_existing);
        }
        screenFile = copies / screenFile.filename();
    }
    environment.insert(
        QStringLiteral("QT_QPA_PLATFORM"),
        QStringLiteral("offscreen:configfile=%1").arg(QString::fromStdString(screenFile.string())));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    // A home of its own, so that no Steam library of the user's is found.
    environment.insert(QStringLiteral("HOME"), QString::fromStdString((folder_.path() / "home").string()));
    for (const auto& [name, value] : environment_) {
        environment.insert(QString::fromStdString(name), QString::fromStdString(value));
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(folder_.path().string()));
    QStringList list;
    for (const std::string& argument : arguments) {
        list << QString::fromStdString(argument);
    }
    if (unprivileged_) {
        // The test folder must be reachable; the settings and program folder must be the user's own.
        fs::permissions(folder_.path(), fs::perms::others_read | fs::perms::others_exec,
                        fs::perm_options::add);
        for (const fs::path& own : {folder_.configFolder(), folder_.programFolder()}) {
            for (const auto& entry : fs::recursive_directory_iterator(own)) {
                ::chown(entry.path().c_str(), 65534, 65534);
            }
            ::chown(own.c_str(), 65534, 65534);
        }
        list.prepend(QString::fromStdString((copies / editorExecutable().filename()).string()));
        list = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                           QStringLiteral("--clear-groups")} +
               list;
        process.start(QStringLiteral("setpriv"), list);
    } else {
        process.start(QString::fromStdString(editorExecutable().string()), list);
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {-1, "", "editor did not finish in time"};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

QJsonObject EditorProcess::readDump() const {
    QFile file(QString::fromStdString(dumpFile().string()));
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

} // namespace dovrel::testing

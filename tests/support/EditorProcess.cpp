#include "support/EditorProcess.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QProcessEnvironment>
#include <fstream>
#include <unistd.h>

namespace dovrel::testing {

namespace fs = std::filesystem;

fs::path editorExecutable() {
    return fs::path(DOVREL_BIN_DIR) / "dovrel-consist-editor";
}

fs::path serzExecutable() {
    return fs::path(DOVREL_BIN_DIR) / "serz";
}

void EditorProcess::storeGameFolder(const fs::path& folder) {
    storeSetting("GameFolder", folder.string());
}

void EditorProcess::storeSetting(const std::string& key, const std::string& value) {
    settings_[key] = value;
}

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
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                       QStringLiteral("offscreen:configfile=%1/tests/screens/screen-%2.json")
                           .arg(QString::fromLatin1(DOVREL_SOURCE_DIR), QString::fromStdString(screen_)));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
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
        list.prepend(QString::fromStdString(editorExecutable().string()));
        list = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                           QStringLiteral("--clear-groups")} +
               list;
        process.start(QStringLiteral("setpriv"), list);
    } else {
        process.start(QString::fromStdString(editorExecutable().string()), list);
    }
    EditorResult result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.standardError = "editor did not finish in time";
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.standardOutput = process.readAllStandardOutput().toStdString();
    result.standardError = process.readAllStandardError().toStdString();
    return result;
}

QJsonObject EditorProcess::readDump() const {
    QFile file(QString::fromStdString(dumpFile().string()));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace dovrel::testing

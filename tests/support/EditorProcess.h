// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/TempFolder.h"

#include <QJsonObject>
#include <filesystem>
#include <map>
#include <string>

namespace dovrel::testing {

struct EditorResult {
    int exitCode = -1;
    std::string standardOutput;
    std::string standardError;
};

// Runs the editor executable on a script in an isolated folder (its own settings, program folder,
// game folder and home folder, "home" in it), offscreen on a 1280x1024 screen.
class EditorProcess {
public:
    explicit EditorProcess(const TempFolder& folder) : folder_(folder) {}

    // Runs the editor as the user "nobody" (uid and gid 65534), who owns the settings and program
    // folder and runs copies of the programs in the test folder.
    void runUnprivileged() { unprivileged_ = true; }
    void setEnvironment(const std::string& name, const std::string& value) { environment_[name] = value; }
    // Writes "GameFolder" into the isolated settings before each run, as Locate would have.
    void storeGameFolder(const std::filesystem::path& folder) { settings_["GameFolder"] = folder.string(); }
    // Writes another key of "Preferences" into the isolated settings before each run.
    void storeSetting(const std::string& key, const std::string& value) { settings_[key] = value; }

    EditorResult runScript(const std::string& script, int timeoutMs = 120000);
    EditorResult runArguments(const std::vector<std::string>& arguments, int timeoutMs = 120000);

    // In the program folder, which the editor may write even when it runs unprivileged.
    std::filesystem::path dumpFile() const { return folder_.programFolder() / "dump.json"; }
    // The JSON written by "dump" + dumpFile().
    QJsonObject readDump() const;

private:
    const TempFolder& folder_;
    bool unprivileged_ = false;
    std::map<std::string, std::string> environment_;
    std::map<std::string, std::string> settings_;
};

inline std::filesystem::path editorExecutable() {
    return std::filesystem::path(DOVREL_BIN_DIR) / "dovrel-consist-editor";
}
inline std::filesystem::path serzExecutable() {
    return std::filesystem::path(DOVREL_BIN_DIR) / "serz";
}

} // namespace dovrel::testing

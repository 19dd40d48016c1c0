// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a user gets it, from cmake --install or the Debian package: its files and a session.
#include "support/TempFolder.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <sstream>
#include <unistd.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::fileText;
using testing::TempFolder;

const std::string kAppId = DOVREL_APP_ID_TEXT;

struct ProgramRun {
    int exitCode = -1;
    std::string output; // standard output and error together
};

ProgramRun run(const std::string& program, const std::vector<std::string>& arguments,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
               int timeoutMs = 240000) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QStringList listed;
    for (const std::string& argument : arguments) {
        listed << QString::fromStdString(argument);
    }
    process.start(QString::fromStdString(program), listed);
    const bool finished = process.waitForFinished(timeoutMs); // else killed as the process object goes
    return {finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAll().toStdString()};
}

std::string text(const fs::path& path) {
    return path.string();
}

// The files an installation holds below its prefix, and what each is.
const std::vector<std::pair<std::string, std::string>> kInstalledFiles = {
    {"bin/dovrel-consist-editor", "program"},
    {"bin/dovrel", "program"},
    {"bin/serz", "program"},
    {"share/applications/" + kAppId + ".desktop", "desktop"},
    {"share/metainfo/" + kAppId + ".metainfo.xml", "metainfo"},
    {"share/icons/hicolor/scalable/apps/" + kAppId + ".svg", "svg"},
    {"share/icons/hicolor/48x48/apps/" + kAppId + ".png", "48"},
    {"share/icons/hicolor/64x64/apps/" + kAppId + ".png", "64"},
    {"share/icons/hicolor/128x128/apps/" + kAppId + ".png", "128"},
    {"share/icons/hicolor/256x256/apps/" + kAppId + ".png", "256"},
    {"share/man/man1/dovrel-consist-editor.1.gz", "man"},
    {"share/man/man1/dovrel.1.gz", "man"},
    {"share/man/man1/serz.1.gz", "man"},
    {"share/bash-completion/completions/dovrel", "completion"},
    {"share/doc/dovrel-consist-editor/copyright", "copyright"},
    {"share/doc/dovrel-consist-editor/changelog.gz", "changelog"},
    {"share/lintian/overrides/dovrel-consist-editor", "lintian"},
};

// Every "Files:" pattern of a machine-readable copyright file names files of the source tree: "*",
// a folder's "DIR/*" or one file.
void expectCopyrightPatternsExist(const std::string& copyright) {
    std::istringstream lines(copyright);
    bool inFiles = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("Files:")) {
            inFiles = true;
            line.erase(0, 6);
        } else if (!inFiles || line.empty() || line.front() != ' ') {
            inFiles = false;
            continue;
        }
        std::istringstream patterns(line);
        for (std::string pattern; patterns >> pattern;) {
            const fs::path path = fs::path(DOVREL_SOURCE_DIR) / pattern;
            if (pattern.ends_with("/*")) {
                EXPECT_FALSE(fs::is_empty(path.parent_path())) << pattern;
            } else if (pattern != "*") {
                EXPECT_TRUE(fs::is_regular_file(path)) << pattern;
            }
        }
    }
}

// Checks the files of an installation below PREFIX: as many as listed, each valid.
void expectInstalledFiles(const fs::path& prefix) {
    for (const auto& [file, kind] : kInstalledFiles) {
        const fs::path path = prefix / file;
        SCOPED_TRACE(file);
        if (kind == "program") {
            EXPECT_EQ(::access(path.c_str(), X_OK), 0);
        } else if (kind == "desktop") {
            const ProgramRun check = run("desktop-file-validate", {text(path)});
            EXPECT_EQ(check.exitCode, 0) << check.output;
            EXPECT_EQ(check.output, "");
        } else if (kind == "metainfo") {
            const ProgramRun check = run("appstreamcli", {"validate", "--no-net", "--pedantic", text(path)});
            EXPECT_EQ(check.exitCode, 0) << check.output;
            EXPECT_TRUE(check.output.find("W:") == check.output.find("E:")) << check.output; // neither
            EXPECT_NE(fileText(path).find("<release version=\"" DOVREL_VERSION_TEXT "\""), std::string::npos);
            EXPECT_EQ(fileText(path).find("://"), std::string::npos); // no address until the project has one
        } else if (kind == "copyright") {
            const std::string copyright = fileText(path);
            EXPECT_TRUE(copyright.starts_with(
                "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"));
            expectCopyrightPatternsExist(copyright);
        } else if (kind == "changelog") {
            // A Debian changelog whose newest entry is this version.
            const ProgramRun version = run("sh", {"-c",
                                                  "gzip -dc \"$1\" > \"$1.text\" && dpkg-parsechangelog -l "
                                                  "\"$1.text\" -S Version && rm \"$1.text\"",
                                                  "sh", text(path)});
            EXPECT_EQ(version.output, DOVREL_VERSION_TEXT "\n");
        } else if (kind == "lintian") {
            // Read by lintian below, which reports an override it does not use.
            EXPECT_TRUE(fs::is_regular_file(path));
        } else if (kind == "completion") {
            // bash reads it and it completes the subcommands.
            const ProgramRun completion = run("bash", {"-c",
                                                       "source \"$1\" && COMP_WORDS=(dovrel ex) COMP_CWORD=1 "
                                                       "&& _dovrel && echo \"${COMPREPLY[*]}\"",
                                                       "bash", text(path)});
            EXPECT_EQ(completion.output, "export\n");
        } else if (kind == "svg") {
            EXPECT_NE(fileText(path).find("<svg "), std::string::npos);
        } else if (kind == "man") {
            // groff reads the page and warns about every mistake in it.
            const ProgramRun page =
                run("sh", {"-c", "gzip -dc \"$1\" | groff -man -ww -z -Tutf8 2>&1", "sh", text(path)});
            EXPECT_EQ(page.exitCode, 0) << page.output;
            EXPECT_EQ(page.output, "");
        } else {
            const QImage icon(QString::fromStdString(text(path)));
            const int size = std::stoi(kind);
            EXPECT_EQ(icon.size(), QSize(size, size));
        }
    }
    EXPECT_EQ(std::ranges::count_if(fs::recursive_directory_iterator(prefix),
                                    [](const fs::directory_entry& entry) { return !entry.is_directory(); }),
              std::ssize(kInstalledFiles));
}

// The installed editor's session with the user's folders below HOME and no DOVREL_ variable: the
// catalogue is built, a consist saved and listed, the program folder is the data folder.
void expectInstalledSession(const fs::path& bin) {
    TempFolder user;
    const fs::path game = user.path() / "Vantor";
    const ProgramRun sample = run(DOVREL_BIN_DIR "/make-sample-game", {text(game), "--seed", "4"});
    ASSERT_EQ(sample.exitCode, 0) << sample.output;
    user.write("home/.config/DovrelConsistEditor/DovrelConsistEditor.conf",
               "[Preferences]\nGameFolder=" + game.string() + "\n");
    const fs::path dump = user.path() / "dump.json";
    const fs::path script =
        user.write("session.txt", "choose List1 #0\nclick butAddLocoRight\nclick butAddLocoRight\n"
                                  "type Text1 Installed Pair\nclick mnuSaveConsistToVTUserConsists\n"
                                  "click mnuOpenVTUserConsists\ndump " +
                                      dump.string() + "\n");
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    environment.insert(QStringLiteral("HOME"), QString::fromStdString(text(user.path() / "home")));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(
        QStringLiteral("QT_QPA_PLATFORM"),
        QStringLiteral("offscreen:configfile=" DOVREL_SOURCE_DIR "/tests/screens/screen-1280x1024.json"));

    const ProgramRun session =
        run((bin / "dovrel-consist-editor").string(), {"--script", text(script)}, environment);
    ASSERT_EQ(session.exitCode, 0) << session.output;

    const QJsonObject state = QJsonDocument::fromJson(QByteArray::fromStdString(fileText(dump))).object();
    EXPECT_GE(state[QLatin1String("state")].toObject()[QLatin1String("catalogue")].toArray().size(), 10);
    const QJsonArray listed = state[QLatin1String("controls")]
                                  .toObject()[QLatin1String("List3")]
                                  .toObject()[QLatin1String("items")]
                                  .toArray();
    EXPECT_EQ(std::ranges::count_if(listed,
                                    [](const QJsonValue& item) {
                                        return item.toString().endsWith(QLatin1String("\tInstalled Pair"));
                                    }),
              1)
        << session.output;

    const fs::path programFolder = user.path() / "home" / ".local" / "share" / "DovrelConsistEditor";
    EXPECT_TRUE(fs::is_regular_file(programFolder / "equipmentlist.txt") &&
                fs::is_directory(programFolder / "Temp"));
}

TEST(Install, CmakeInstallPutsEveryFileInPlaceAndTheEditorRunsFromThere) {
    TempFolder scratch;
    const fs::path prefix = scratch.path() / "usr";
    const ProgramRun install = run(DOVREL_CMAKE, {"--install", DOVREL_BINARY_DIR, "--prefix", text(prefix)});
    ASSERT_EQ(install.exitCode, 0) << install.output;
    expectInstalledFiles(prefix);
    expectInstalledSession(prefix / "bin");
}

// The package holds the same files; the session on them is the one above.
TEST(Install, TheDebianPackageHoldsTheInstallationWithItsLibrariesAsDependencies) {
    TempFolder scratch;
    const ProgramRun pack =
        run(DOVREL_CPACK, {"-G", "DEB", "--config", DOVREL_BINARY_DIR "/CPackConfig.cmake", "-B",
                           text(scratch.path() / "package")});
    ASSERT_EQ(pack.exitCode, 0) << pack.output;
    fs::path package;
    for (const auto& entry : fs::directory_iterator(scratch.path() / "package")) {
        if (entry.path().extension() == ".deb") {
            package = entry.path();
        }
    }
    EXPECT_EQ(package.filename().string().rfind("dovrel-consist-editor_" DOVREL_VERSION_TEXT "_", 0), 0u);

    // dpkg-shlibdeps found the libraries the programs link; the window system plug-ins are named.
    const ProgramRun depends = run("dpkg-deb", {"--field", text(package), "Depends"});
    for (const std::string name : {"libstdc++6 ", "libqt6widgets6 ", "qt6-qpa-plugins"}) {
        EXPECT_NE(depends.output.find(name), std::string::npos) << name << " in " << depends.output;
    }
    // Every dependency can be met on this system.
    const ProgramRun simulated = run("apt-get", {"install", "--simulate", text(package)});
    EXPECT_EQ(simulated.exitCode, 0) << simulated.output;

    const fs::path root = scratch.path() / "root";
    const ProgramRun unpack = run("dpkg-deb", {"--extract", text(package), text(root)});
    ASSERT_EQ(unpack.exitCode, 0) << unpack.output;
    expectInstalledFiles(root / "usr");

    // The packager's check, where lintian is installed (scripts/install-deps installs it): no error
    // and no warning. The informational tags left are explained in packaging/CMakeLists.txt.
    if (const QString lintian = QStandardPaths::findExecutable(QStringLiteral("lintian"));
        !lintian.isEmpty()) {
        const ProgramRun check =
            run(lintian.toStdString(), {"-EIL", "+pedantic", "--fail-on", "error,warning", text(package)});
        EXPECT_EQ(check.exitCode, 0) << check.output;
        EXPECT_FALSE(std::regex_search(check.output, std::regex("(^|\n)[EW]: "))) << check.output;
    }
    // Into the system itself, only as root with DOVREL_TEST_SYSTEM_INSTALL=1 (scripts/check-fresh-debian).
    if (qEnvironmentVariable("DOVREL_TEST_SYSTEM_INSTALL") == QStringLiteral("1") && ::getuid() == 0) {
        const ProgramRun system = run("apt-get", {"install", "-y", "--no-install-recommends", text(package)});
        ASSERT_EQ(system.exitCode, 0) << system.output;
        expectInstalledSession("/usr/bin");
        EXPECT_EQ(run("apt-get", {"purge", "-y", "dovrel-consist-editor"}).exitCode, 0);
    }
}

// The names a program's --help and its manual page both list: options, environment variables, the
// files kept (folders with their slash) and exit statuses ("exit N").
std::set<std::string> listedNames(const std::string& text) {
    static const std::regex name(
        R"(--[a-z][a-z-]*|\b[A-Z][A-Z0-9]*_[A-Z0-9_]+\b|\b[\w.-]+\.(txt|index|conf|lock)\b|\b(Temp|Backups)/)");
    static const std::regex exitStatus(R"((^|\n) +([0-9]) {2,}\S)");
    std::set<std::string> names;
    for (auto match = std::sregex_iterator(text.begin(), text.end(), name); match != std::sregex_iterator();
         ++match) {
        names.insert(match->str());
    }
    for (auto match = std::sregex_iterator(text.begin(), text.end(), exitStatus);
         match != std::sregex_iterator(); ++match) {
        names.insert("exit " + (*match)[2].str());
    }
    return names;
}

TEST(Install, HelpAndManualPageListTheSameOptionsFilesVariablesExitStatusesAndLicence) {
    for (const std::string program : {"dovrel-consist-editor", "serz"}) {
        SCOPED_TRACE(program);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                           QStringLiteral("offscreen")); // an editor without --help would start
        const ProgramRun help = run(DOVREL_BIN_DIR "/" + program, {"--help"}, environment, 20000);
        EXPECT_EQ(help.exitCode, 0) << help.output;
        // The page as text, without hyphenation and in long lines; the examples are not a list.
        const ProgramRun page = run("sh", {"-c", "groff -man -Tascii -P-cbou -rHY=0 -rLL=250n \"$1\"", "sh",
                                           DOVREL_SOURCE_DIR "/packaging/man/" + program + ".1"});
        ASSERT_EQ(page.exitCode, 0) << page.output;
        const std::string manual =
            std::regex_replace(page.output, std::regex(R"(\nEXAMPLES\n(.|\n)*?\n(?=[A-Z]))"), "\n");
        EXPECT_EQ(listedNames(help.output), listedNames(manual)) << help.output << manual;
        for (const std::string& text : {help.output, manual}) {
            EXPECT_NE(std::regex_replace(text, std::regex(R"(\s+)"), " ")
                          .find("GNU General Public License, version 3 or later"),
                      std::string::npos);
        }
    }
}

} // namespace
} // namespace dovrel

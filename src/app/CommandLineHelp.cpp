// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLineHelp.h"

#ifndef DOVREL_VERSION_TEXT
#define DOVREL_VERSION_TEXT "0.0.0.0"
#endif

namespace dovrel {

namespace {

constexpr const char* kLicence =
    "Dovrel Consist Editor is free software under the GNU General Public License,\n"
    "version 3 or later; there is NO WARRANTY.\n";

} // namespace

std::string commandLineUsage() {
    return "usage: dovrel-consist-editor [--script FILE]\n"
           "       dovrel-consist-editor --set-game-folder DIR\n"
           "       dovrel-consist-editor --help | --version\n";
}

std::string commandLineHelp() {
    return commandLineUsage() +
           std::string("Composes consists of rail vehicles for the train simulation Vantor.\n"
                       "\n"
                       "Options:\n"
                       "  --script FILE          start, perform the actions in FILE (one a line) on the\n"
                       "                         window, and end without asking anything\n"
                       "  --set-game-folder DIR  store DIR, made absolute, as the game folder and end\n"
                       "  --help                 show this text and end\n"
                       "  --version              show the version and end\n"
                       "Qt's standard options, such as -platform NAME, are taken too; any other\n"
                       "argument is a wrong command line.\n"
                       "\n"
                       "Files:\n"
                       "  $XDG_CONFIG_HOME/DovrelConsistEditor/DovrelConsistEditor.conf\n"
                       "                         the settings (XDG_CONFIG_HOME: ~/.config by default)\n"
                       "  The program folder holds the rest: $XDG_DATA_HOME/DovrelConsistEditor for an\n"
                       "  installed copy (XDG_DATA_HOME: ~/.local/share by default); for a local copy,\n"
                       "  started from its build or unpacked folder, that folder when it may write\n"
                       "  there; the folder DOVREL_PROGRAM_FOLDER names in either case. In it:\n"
                       "  equipmentlist.txt      the catalogue, as the last scan of the assets left it\n"
                       "  equipmentlist.index    what that scan read from each blueprint and archive\n"
                       "  equipmentlist.listings the asset folders' entries as that scan found them\n"
                       "  equipmentlist.folder   the Assets folder the catalogue was made from\n"
                       "  scanreport.txt         the scan report, written by the last scan of the assets\n"
                       "  notfound.txt           units of opened consists missing from the catalogue\n"
                       "  Temp/                  the working folder of the conversions\n"
                       "  Backups/               ConsistTemplates.bin as it was before each save,\n"
                       "                         replace and delete (the newest 20 copies)\n"
                       "  dovrel-consist-editor.lock\n"
                       "                         keeps a second copy from running on the folder\n"
                       "  dovrel-consist-editor.socket\n"
                       "                         where a second copy asks the running one to come to\n"
                       "                         the front, when XDG_RUNTIME_DIR is unset (else a\n"
                       "                         socket named for the program folder there)\n"
                       "\n"
                       "Environment:\n"
                       "  DOVREL_PROGRAM_FOLDER  the program folder (created when missing)\n"
                       "  DOVREL_SERZ            a converter program to run once per file, by absolute\n"
                       "                         path; unset, the editor converts inside itself\n"
                       "  DOVREL_RANDOM_SEED     a number that fixes the ids given to new consists\n"
                       "  XDG_CONFIG_HOME        where the settings folder is\n"
                       "  XDG_DATA_HOME          where an installed copy's program folder is\n"
                       "  XDG_RUNTIME_DIR        where the running copy listens for a second one\n"
                       "  QT_QPA_PLATFORM        the window system: xcb, wayland, or offscreen\n"
                       "\n"
                       "Exit status:\n"
                       "  0  ended normally, a script ran to its end, or a copy already runs\n"
                       "  1  ended at start-up: screen too small, no converter, unusable program\n"
                       "     folder, initialization error\n"
                       "  2  a wrong command line (an unknown option, an option without its\n"
                       "     argument) or script line\n"
                       "  3  the script file cannot be read\n"
                       "\n") +
           kLicence;
}

std::string versionText() {
    return std::string("dovrel-consist-editor " DOVREL_VERSION_TEXT "\n") + kLicence;
}

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
// serz: converts the game's serialised .bin files to XML and back.
//
//   serz PATH.bin   reads the binary form and writes PATH.xml beside it
//   serz PATH.xml   reads the XML and writes PATH.bin beside it
//
// The direction comes from the extension, in any case; the output has the same folder and
// base name and replaces an existing file. The output is written to OUTPUT.tmp-PID and renamed
// into place, so a failed run never leaves a partial or temporary file. On success the program
// exits 0 and prints nothing. On failure it exits 1 with exactly one line on standard error
// naming the file and where the problem is: a byte offset in a .bin input, a line in an XML one.
// Usage errors exit 2.
//
// The XML is the game converter's layout byte for byte (CR LF line ends, TAB indentation,
// the namespace urn:vantor:delta on the root). The editor converts with the same codec in its own
// process, and runs a converter program per file only when DOVREL_SERZ names one.

#include "serz/FileConversion.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#ifndef SERZ_VERSION
#define SERZ_VERSION "0.0.0.0"
#endif

namespace {

constexpr const char* kUsage =
    "usage: serz PATH\n"
    "  PATH.bin  converts the binary file to PATH.xml\n"
    "  PATH.xml  converts the XML file to PATH.bin\n"
    "The output lands beside the input and replaces an existing file.\n"
    "  --help     shows this text\n"
    "  --version  shows the version and the licence\n"
    "Exit status:\n"
    "  0  done, nothing printed\n"
    "  1  the input cannot be read or converted: one line on standard error names\n"
    "     the file and the place of the problem\n"
    "  2  a wrong command line\n"
    "The editor converts inside itself; it runs a converter program like this one\n"
    "only when DOVREL_SERZ names it.\n";
constexpr const char* kLicence =
    "serz is part of Dovrel Consist Editor, free software under the GNU General\n"
    "Public License, version 3 or later; there is NO WARRANTY.\n";

int usageError(const char* message) {
    std::fprintf(stderr, "serz: %s (see serz --help)\n", message);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // Past a file-size limit a write fails and is reported like any other, rather than ending serz.
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc < 2) {
        return usageError("missing file argument");
    }
    if (argc > 2) {
        return usageError("expected exactly one file argument");
    }
    const char* argument = argv[1];
    if (std::strcmp(argument, "--help") == 0) {
        std::fputs(kUsage, stdout);
        std::fputs(kLicence, stdout);
        return 0;
    }
    if (std::strcmp(argument, "--version") == 0) {
        std::fputs("serz " SERZ_VERSION "\n", stdout);
        std::fputs(kLicence, stdout);
        return 0;
    }
    if (argument[0] == '\0') {
        return usageError("the file argument is empty");
    }
    std::string failure;
    try {
        failure = serz::convertFile(argument);
    } catch (const std::exception& error) {
        // Only running out of memory can get here.
        failure = std::string(argument) + ": " + error.what();
    }
    if (!failure.empty()) {
        std::fprintf(stderr, "serz: %s\n", failure.c_str());
        return 1;
    }
    return 0;
}

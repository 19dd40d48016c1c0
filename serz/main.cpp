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
// the namespace urn:vantor:delta on the root); the editor starts one process per blueprint, so
// the program links nothing but the C++ standard library.

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

constexpr const char* kUsage = "usage: serz PATH\n"
                               "  PATH.bin  converts the binary file to PATH.xml\n"
                               "  PATH.xml  converts the XML file to PATH.bin\n"
                               "The output lands beside the input and replaces an existing file.\n"
                               "  --help     shows this text\n"
                               "  --version  shows the version\n";

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
        return 0;
    }
    if (std::strcmp(argument, "--version") == 0) {
        std::fputs("serz " SERZ_VERSION "\n", stdout);
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

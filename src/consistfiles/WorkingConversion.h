// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/ConsistFileServices.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// How a game file's conversion by the bundled codec in memory, away from the window, ended: the
// converter's exit status (none when the file could not be read), the XML's root line (which
// declares its namespace) when it converted, and why it did not convert, as the serz program says it.
struct InMemoryConversion {
    std::optional<std::filesystem::path> file; // the game file, none when there was none
    std::optional<int> converterResult;
    std::string rootLine;
    std::string failure;

    bool converted() const { return converterResult == 0; }
};

// A game file converted in memory to XML lines: how it ended, and the lines when it converted.
struct ConvertedLines {
    InMemoryConversion conversion;
    std::optional<std::vector<std::string>> lines;
};

// Reads a game file and converts it in memory; safe on any thread. No game file reads as unreadable.
ConvertedLines convertInMemory(const Files& files, const std::optional<std::filesystem::path>& gameFile);

// Reads a game file and converts it in memory, handing each XML line to takeLine as the codec writes
// it, so the XML is never held whole; safe on any thread. The lines are those convertInMemory gives;
// when the conversion fails half way, takeLine has seen the lines before the fault.
InMemoryConversion streamInMemory(const Files& files, const std::optional<std::filesystem::path>& gameFile,
                                  const std::function<void(std::string_view line)>& takeLine);

// The steps by which the consist commands hand files to the converter and back. The game's files
// are never edited in place: they are copied to the Temp folder, converted there, and a converted
// file replaces the game's file in one step, only after the converter accepted it.
class WorkingConversion {
public:
    explicit WorkingConversion(ConsistFileServices& services) : services_(services) {}

    // Copies a game file over the working input (the old input removed first), lets the window
    // process its events twice, runs the converter on the copy and lets the window process its
    // events twice more. False, without running the converter, when there is no game file or the
    // copy fails; its exit code is the caller's to judge otherwise.
    bool convertGameFile(const std::optional<std::filesystem::path>& gameFile,
                         const std::filesystem::path& workingInput);

    // The converter's XML output split into lines by the XML line rules; its root line's
    // namespace is remembered. Empty optional when the file cannot be read.
    std::optional<std::vector<std::string>> readConverterXml(const std::filesystem::path& xml);

    // A game file copied to the working input, converted and read back as XML lines: convertGameFile
    // and readConverterXml in turn. Empty optional when the file cannot be had or converted.
    std::optional<std::vector<std::string>>
    workingCopyLines(const std::optional<std::filesystem::path>& gameFile,
                     const std::filesystem::path& workingInput);

    // A game file's XML lines: with the bundled converter converted in memory, without working
    // files; otherwise copied to the working input, converted and read back. The window processes
    // its events as convertGameFile lets it. Empty optional when the file cannot be had or converted.
    std::optional<std::vector<std::string>>
    gameFileLines(const std::optional<std::filesystem::path>& gameFile,
                  const std::filesystem::path& workingInput);

    // Takes a conversion done in memory as convertGameFile and readConverterXml would have ended:
    // the events processed, the exit status and the namespace noted; its lines when it converted.
    std::optional<std::vector<std::string>> acceptInMemory(ConvertedLines converted);
    // The same for a conversion whose lines went elsewhere as they came: true when it converted.
    bool acceptStreamed(const InMemoryConversion& conversion);

    // After a game file could not be had as XML lines: the message that names the cause (the game
    // file unreadable, the working copy not made, the converter's failure in its own words, its
    // output unreadable). Empty when the lines were had, or when there was no game file at all.
    const std::string& failure() const { return failure_; }

    enum class WriteBack { Converted, NotWritten, Rejected };
    // Writes a rewritten user-consist document as tempc.xml, lets the window process its events,
    // and converts it to tempc.bin. A failed write shows the "Could not write" message; a
    // rejected document shows the "Badly formed" message and is kept as error.xml.
    WriteBack writeAndConvert(std::string_view document);

    // Keeps a copy of the game's file, then puts tempc.bin in its place through a whole-file
    // replace and lets the window process its events twice. On failure the "Could not write" message is shown
    // and the game's file is left as it was.
    bool installConvertedFile(const std::filesystem::path& gameFile);

    // Keeps a copy of the game's file before it is rewritten or removed. A copy that cannot be
    // kept shows the "Could not write" message for it; then the game's file must stay as it is.
    bool keepBackup(const std::filesystem::path& gameFile);

    std::filesystem::path workingBin() const { return services_.tempFolder() / "tempc.bin"; }
    std::filesystem::path workingXml() const { return services_.tempFolder() / "tempc.xml"; }
    std::filesystem::path errorXml() const { return services_.tempFolder() / "error.xml"; }

private:
    void pumpTwice();
    void keepRejectedDocument();

    ConsistFileServices& services_;
    std::string failure_;
};

} // namespace dovrel

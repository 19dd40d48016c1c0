#pragma once

#include "consistfiles/ConsistFileServices.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

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
};

} // namespace dovrel

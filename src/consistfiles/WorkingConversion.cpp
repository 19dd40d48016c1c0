#include "consistfiles/WorkingConversion.h"

#include "consistfiles/ConsistFileMessages.h"
#include "convert/BundledCodec.h"
#include "convert/WorkingFiles.h"
#include "core/TextRules.h"

namespace dovrel {

namespace fs = std::filesystem;

ConvertedLines convertInMemory(const Files& files, const std::optional<fs::path>& gameFile) {
    ConvertedLines converted;
    const std::optional<std::string> bytes = gameFile ? files.read(*gameFile) : std::nullopt;
    if (!bytes) {
        return converted;
    }
    const std::optional<std::string> xml = binaryToXml(*bytes);
    converted.converterResult = xml ? 0 : 1;
    if (xml) {
        converted.rootLine = std::string(rootLineOf(*xml));
        converted.lines = splitXmlLines(*xml);
    }
    return converted;
}

std::optional<std::vector<std::string>>
WorkingConversion::gameFileLines(const std::optional<fs::path>& gameFile, const fs::path& workingInput) {
    if (services_.converter.runsInProcess()) {
        return acceptInMemory(convertInMemory(services_.files, gameFile));
    }
    if (!convertGameFile(gameFile, workingInput)) {
        return std::nullopt;
    }
    // The converter's output is removed before every run, so a failed conversion leaves no XML to
    // be taken for this file's.
    return readConverterXml(converterOutputFor(workingInput));
}

std::optional<std::vector<std::string>> WorkingConversion::acceptInMemory(ConvertedLines converted) {
    pumpTwice();
    if (!converted.converterResult) {
        return std::nullopt;
    }
    services_.converter.noteResult(*converted.converterResult);
    pumpTwice();
    if (converted.lines) {
        services_.converter.noteXmlOutput(converted.rootLine);
    }
    return std::move(converted.lines);
}

void WorkingConversion::pumpTwice() {
    services_.events.pump();
    services_.events.pump();
}

bool WorkingConversion::convertGameFile(const std::optional<fs::path>& gameFile,
                                        const fs::path& workingInput) {
    bool placed = false;
    if (gameFile) {
        placed = placeWorkingInput(services_.files, *gameFile, workingInput).ok;
    } else {
        // No game file: an earlier copy must not be converted in its place.
        services_.files.remove(workingInput);
    }
    pumpTwice();
    if (!placed) {
        return false;
    }
    services_.converter.RunConverter(workingInput);
    pumpTwice();
    return true;
}

std::optional<std::vector<std::string>> WorkingConversion::readConverterXml(const fs::path& xml) {
    const std::optional<std::string> text = services_.files.read(xml);
    if (!text) {
        return std::nullopt;
    }
    services_.converter.noteXmlOutput(*text);
    return splitXmlLines(*text);
}

WorkingConversion::WriteBack WorkingConversion::writeAndConvert(std::string_view document) {
    const fs::path xml = workingXml();
    if (const FileStatus written = services_.files.replace(xml, document); !written.ok) {
        services_.messages.warn(consistmessages::couldNotWrite(xml, written.reason));
        return WriteBack::NotWritten;
    }
    services_.events.pump();
    const int exitCode = services_.converter.RunConverter(xml);
    pumpTwice();
    if (exitCode != 0) {
        services_.messages.warn(consistmessages::badlyFormedXml());
        keepRejectedDocument();
        return WriteBack::Rejected;
    }
    return WriteBack::Converted;
}

bool WorkingConversion::keepBackup(const fs::path& gameFile) {
    if (const std::optional<BackupFailure> failed = services_.backups.keep(gameFile)) {
        services_.messages.warn(consistmessages::couldNotWrite(failed->file, failed->reason));
        return false;
    }
    return true;
}

void WorkingConversion::keepRejectedDocument() {
    // An error.xml from an earlier rejection makes way for this one.
    services_.files.remove(errorXml());
    services_.files.rename(workingXml(), errorXml());
}

bool WorkingConversion::installConvertedFile(const fs::path& gameFile) {
    const std::optional<std::string> converted = services_.files.read(workingBin());
    if (!converted) {
        services_.messages.warn(consistmessages::couldNotWrite(
            gameFile, "The converted file " + workingBin().string() + " cannot be read."));
        return false;
    }
    if (!keepBackup(gameFile)) {
        return false;
    }
    if (const FileStatus replaced = services_.files.replace(gameFile, *converted); !replaced.ok) {
        services_.messages.warn(consistmessages::couldNotWrite(gameFile, replaced.reason));
        return false;
    }
    pumpTwice();
    return true;
}

} // namespace dovrel

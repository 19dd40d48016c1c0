// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/WorkingConversion.h"

#include "consistfiles/ConsistFileMessages.h"
#include "convert/BinaryToXmlStream.h"
#include "convert/BundledCodec.h"
#include "convert/WorkingFiles.h"
#include "core/TextRules.h"

namespace dovrel {

namespace fs = std::filesystem;

ConvertedLines convertInMemory(const Files& files, const std::optional<fs::path>& gameFile) {
    ConvertedLines converted;
    converted.conversion.file = gameFile;
    const std::optional<std::string> bytes = gameFile ? files.read(*gameFile) : std::nullopt;
    if (!bytes) {
        return converted;
    }
    std::string failure;
    const std::optional<std::string> xml = binaryToXml(*bytes, &failure);
    converted.conversion.converterResult = xml ? 0 : 1;
    if (xml) {
        converted.conversion.rootLine = std::string(rootLineOf(*xml));
        converted.lines = splitXmlLines(*xml);
    } else {
        converted.conversion.failure = gameFile->string() + ": " + failure;
    }
    return converted;
}

namespace {

// Cuts XML that arrives in chunks into its lines, each handed on without its CR LF: the lines
// splitXmlLines gives for the converter's whole text, which holds a CR only in its line ends (the
// writer escapes every control character) and no empty line at its end. A chunk's unended last line
// waits for the next chunk.
class XmlLineCutter {
public:
    explicit XmlLineCutter(const std::function<void(std::string_view)>& takeLine) : takeLine_(takeLine) {}

    void take(std::string_view chunk) {
        if (!unended_.empty()) {
            unended_.append(chunk);
            const std::string joined = std::move(unended_);
            unended_.clear();
            cut(joined);
            return;
        }
        cut(chunk);
    }

    void finish() {
        if (!unended_.empty()) {
            takeLine_(unended_);
            unended_.clear();
        }
    }

private:
    void cut(std::string_view text) {
        std::size_t start = 0;
        for (std::size_t end = text.find("\r\n"); end != std::string_view::npos;
             end = text.find("\r\n", start)) {
            takeLine_(text.substr(start, end - start));
            start = end + 2;
        }
        unended_.assign(text.substr(start));
    }

    const std::function<void(std::string_view)>& takeLine_;
    std::string unended_;
};

} // namespace

InMemoryConversion streamInMemory(const Files& files, const std::optional<fs::path>& gameFile,
                                  const std::function<void(std::string_view line)>& takeLine) {
    InMemoryConversion converted;
    converted.file = gameFile;
    if (!gameFile) {
        return converted;
    }
    XmlLineCutter lines(takeLine);
    bool rootSeen = false;
    BinaryToXmlStream conversion([&](std::string_view chunk) {
        // Chunks hold whole lines, so the first chunk with a root line holds the XML's root line.
        if (!rootSeen) {
            converted.rootLine = std::string(rootLineOf(chunk));
            rootSeen = !converted.rootLine.empty();
        }
        lines.take(chunk);
    });
    // The file is read a piece at a time as the conversion takes it; after a fault in it, the rest
    // is not read.
    if (!files.readInPieces(*gameFile, kBinaryPieceBytes,
                            [&conversion](std::string_view piece) { return conversion.feed(piece); })) {
        // A file that cannot be read to its end counts as unreadable, whatever its start held.
        converted.rootLine.clear();
        return converted;
    }
    std::string failure;
    const bool ok = conversion.finish(&failure);
    lines.finish();
    converted.converterResult = ok ? 0 : 1;
    if (!ok) {
        converted.rootLine.clear();
        converted.failure = gameFile->string() + ": " + failure;
    }
    return converted;
}

std::optional<std::vector<std::string>>
WorkingConversion::gameFileLines(const std::optional<fs::path>& gameFile, const fs::path& workingInput) {
    if (services_.converter.runsInProcess()) {
        return acceptInMemory(convertInMemory(services_.files, gameFile));
    }
    return workingCopyLines(gameFile, workingInput);
}

std::optional<std::vector<std::string>>
WorkingConversion::workingCopyLines(const std::optional<fs::path>& gameFile, const fs::path& workingInput) {
    if (!convertGameFile(gameFile, workingInput)) {
        return std::nullopt;
    }
    // The converter's output is removed before every run, so a failed conversion leaves no XML to
    // be taken for this file's.
    const fs::path xml = converterOutputFor(workingInput);
    std::optional<std::vector<std::string>> lines = readConverterXml(xml);
    if (!lines) {
        failure_ = services_.converter.lastConverterResult() != 0
                       ? consistmessages::couldNotConvert(*gameFile, services_.converter.lastFailure())
                       : consistmessages::couldNotRead(xml, "");
    }
    return lines;
}

std::optional<std::vector<std::string>> WorkingConversion::acceptInMemory(ConvertedLines converted) {
    if (!acceptStreamed(converted.conversion)) {
        return std::nullopt;
    }
    return std::move(converted.lines);
}

bool WorkingConversion::acceptStreamed(const InMemoryConversion& conversion) {
    failure_.clear();
    pumpTwice();
    if (!conversion.converterResult) {
        if (conversion.file) {
            failure_ = consistmessages::couldNotRead(*conversion.file, "");
        }
        return false;
    }
    services_.converter.noteResult(*conversion.converterResult);
    pumpTwice();
    if (conversion.converted()) {
        services_.converter.noteXmlOutput(conversion.rootLine);
    } else {
        failure_ = consistmessages::couldNotConvert(*conversion.file, conversion.failure);
    }
    return conversion.converted();
}

void WorkingConversion::pumpTwice() {
    services_.events.pump();
    services_.events.pump();
}

bool WorkingConversion::convertGameFile(const std::optional<fs::path>& gameFile,
                                        const fs::path& workingInput) {
    failure_.clear();
    bool placed = false;
    if (gameFile) {
        const FileStatus copied = placeWorkingInput(services_.files, *gameFile, workingInput);
        placed = copied.ok;
        if (!placed) {
            failure_ = consistmessages::couldNotCopy(*gameFile, workingInput, copied.reason);
        }
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

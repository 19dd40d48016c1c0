// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/TemplateDocument.h"

#include "core/TextRules.h"
#include "core/XmlText.h"

namespace dovrel {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// Builds a document line by line in the converter's layout.
class LayoutWriter {
public:
    LayoutWriter& line(int tabs, std::string_view text) {
        text_.append(static_cast<std::size_t>(tabs), '\t');
        text_.append(text);
        text_.append(kCrLf);
        return *this;
    }
    LayoutWriter& element(int tabs, std::string_view tag, std::string_view attributes,
                          std::string_view value) {
        std::string text;
        text.append("<").append(tag).append(" ").append(attributes).append(">");
        text.append(value);
        text.append("</").append(tag).append(">");
        return line(tabs, text);
    }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

constexpr std::string_view kDeltaString = "d:type=\"cDeltaString\"";

// A consist unit's field; missing fields read as empty.
std::string_view fieldOf(const std::vector<std::string>& fields, std::size_t index) {
    return index < fields.size() ? std::string_view(fields[index]) : std::string_view{};
}

void writeEntry(LayoutWriter& out, std::string_view unit, std::int64_t entryNumber) {
    const std::vector<std::string> fields = splitAt(unit, "|");
    out.line(4, "<cConsistTemplateEntry d:id=\"" + std::to_string(entryNumber) + "\">")
        .line(5, "<Blueprint>")
        .line(6, "<iBlueprintLibrary-cAbsoluteBlueprintID>")
        .line(7, "<BlueprintSetID>")
        .line(8, "<iBlueprintLibrary-cBlueprintSetID>")
        .element(9, "Provider", kDeltaString, xmlEscapedText(fieldOf(fields, 2)))
        .element(9, "Product", kDeltaString, xmlEscapedText(fieldOf(fields, 3)))
        .line(8, "</iBlueprintLibrary-cBlueprintSetID>")
        .line(7, "</BlueprintSetID>")
        .element(7, "BlueprintID", kDeltaString, xmlEscapedText(fieldOf(fields, 4)))
        .line(6, "</iBlueprintLibrary-cAbsoluteBlueprintID>")
        .line(5, "</Blueprint>")
        .element(5, "Flipped", "d:type=\"bool\"", fields.back())
        .line(4, "</cConsistTemplateEntry>");
}

} // namespace

std::string templateBlock(std::string_view name, const std::vector<std::string>& units,
                          TemplateNumbers numbers) {
    LayoutWriter out;
    out.line(2, "<cConsistTemplate d:id=\"" + std::to_string(numbers.templateNumber) + "\">")
        .line(3, "<Name>")
        .line(4, "<Localisation-cUserLocalisedString>")
        .element(5, "English", kDeltaString, xmlEscapedText(name))
        .element(5, "French", kDeltaString, "")
        .element(5, "Italian", kDeltaString, "")
        .element(5, "German", kDeltaString, "")
        .element(5, "Spanish", kDeltaString, "")
        .line(5, "<Other/>")
        .line(4, "</Localisation-cUserLocalisedString>")
        .line(3, "</Name>")
        .line(3, "<ConsistEntry>");
    std::int64_t entryNumber = numbers.firstEntryNumber;
    for (const std::string& unit : units) {
        writeEntry(out, unit, entryNumber);
        entryNumber += 16;
    }
    out.line(3, "</ConsistEntry>").line(2, "</cConsistTemplate>");
    return out.take();
}

std::string closingLines() {
    return "\t</Record>\r\n</cRecordSet>";
}

std::string newUserConsistDocument(std::string_view deltaNamespace, std::string_view name,
                                   const std::vector<std::string>& units, TemplateNumbers numbers) {
    LayoutWriter out;
    out.line(0, "<?xml version=\"1.0\" encoding=\"utf-8\"?>")
        .line(0, "<cRecordSet xmlns:d=\"" + std::string(deltaNamespace) +
                     "\" d:version=\"1.0\" d:id=\"132395920\">")
        .line(1, "<Record>");
    return out.take() + templateBlock(name, units, numbers) + closingLines();
}

std::string documentWithTemplate(const std::vector<std::string>& lines, std::optional<TemplateLines> replaced,
                                 std::string_view block) {
    const auto isReplaced = [&](std::size_t number) {
        return replaced && number >= replaced->opening && number <= replaced->closing;
    };
    std::string document;
    std::size_t number = 0;
    for (; number < lines.size() && !containsIgnoringCase(lines[number], "</Record>"); ++number) {
        if (!isReplaced(number)) {
            document.append(lines[number]).append(kCrLf);
        }
    }
    document.append(block);
    if (number == lines.size()) {
        return document.append(closingLines());
    }
    bool first = true;
    for (; number < lines.size(); ++number) {
        if (!isReplaced(number)) {
            document.append(first ? "" : kCrLf).append(lines[number]);
            first = false;
        }
    }
    return document;
}

std::string documentWithoutTemplate(const std::vector<std::string>& lines, TemplateLines removed) {
    std::string document;
    for (std::size_t number = 0; number < lines.size(); ++number) {
        if (number < removed.opening || number > removed.closing) {
            document.append(lines[number]).append(kCrLf);
        }
    }
    return document;
}

} // namespace dovrel

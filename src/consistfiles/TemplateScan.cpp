// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/TemplateScan.h"

#include "core/TextRules.h"
#include "core/XmlText.h"

namespace dovrel {

namespace {

constexpr std::string_view kTemplateTag = "<cConsistTemplate";

// Where the needle first occurs from `from` on, ignoring case; npos when it does not.
std::size_t findIgnoringCase(std::string_view haystack, std::string_view needle, std::size_t from = 0) {
    for (std::size_t at = from; at + needle.size() <= haystack.size(); ++at) {
        if (equalsIgnoringCase(haystack.substr(at, needle.size()), needle)) {
            return at;
        }
    }
    return std::string_view::npos;
}

class TemplateListScan {
public:
    explicit TemplateListScan(TemplateScanPurpose purpose) : purpose_(purpose) {}

    // False once the scan has ended.
    bool scanLine(std::string_view line, std::size_t lineNumber) {
        if (!inside_) {
            if (containsIgnoringCase(line, "<cConsistTemplate ")) {
                const std::string_view id = cutIdentifier(line).value_or(std::string_view{});
                list_.templateIndex.append(id).append("|").append(std::to_string(lineNumber)).append("|");
                list_.templates.push_back(
                    TemplateRecord{std::string(id), lineNumber, std::nullopt, std::nullopt});
                ++list_.templateCount;
                inside_ = true;
                state_ = 1;
                if (templateEndsOnOpeningLine(line)) {
                    closeTemplate(lineNumber);
                }
            }
            return true;
        }
        // An entry's end also ends the part where the name stands, as it does for the reader.
        if (containsIgnoringCase(line, "</cConsistTemplateEntry>")) {
            state_ = 3;
            return true;
        }
        if (containsIgnoringCase(line, "</cConsistTemplate>")) {
            closeTemplate(lineNumber);
            return true;
        }
        if (containsIgnoringCase(line, "</Record>")) {
            return false;
        }
        scanByState(line);
        return true;
    }

    TemplateList finish() {
        if (list_.templateIndex.ends_with(':')) {
            list_.templateIndex.pop_back();
        }
        return std::move(list_);
    }

private:
    void closeTemplate(std::size_t lineNumber) {
        list_.templateIndex.append(std::to_string(lineNumber)).append(":");
        list_.templates.back().closing = lineNumber;
        inside_ = false;
        state_ = 0;
    }

    void scanByState(std::string_view line) {
        if (state_ == 1 && containsIgnoringCase(line, "<Name>")) {
            state_ = 2;
        } else if (state_ == 2 && containsIgnoringCase(line, "<English ")) {
            // A name line whose value cannot be cut names nothing.
            if (const std::optional<std::string_view> name = cutValue(line)) {
                list_.templates.back().name = std::string(*name);
            }
            state_ = 3;
        } else if (state_ == 3 && purpose_ == TemplateScanPurpose::Save &&
                   containsIgnoringCase(line, "<cConsistTemplateEntry ")) {
            list_.entryIds.append(cutIdentifier(line).value_or(std::string_view{})).append("|");
            state_ = 4;
        }
    }

    TemplateScanPurpose purpose_;
    TemplateList list_;
    bool inside_ = false;
    int state_ = 0;
};

// Whether the lines of a template are a template's opening and closing lines.
bool spansTemplate(const TemplateRecord& record, const std::vector<std::string>& lines) {
    if (!record.closing || *record.closing < record.opening || *record.closing >= lines.size() ||
        !containsIgnoringCase(lines[record.opening], "<cConsistTemplate ")) {
        return false;
    }
    const std::string_view closing = lines[*record.closing];
    return *record.closing == record.opening ? templateEndsOnOpeningLine(closing)
                                             : containsIgnoringCase(closing, "</cConsistTemplate>");
}

} // namespace

std::string listedRowText(const TemplateRecord& record) {
    return record.id + '\t' + record.name.value_or("*");
}

bool templateEndsOnOpeningLine(std::string_view line) {
    const std::size_t opening = findIgnoringCase(line, kTemplateTag);
    if (opening == std::string_view::npos) {
        return false;
    }
    const std::size_t end = line.find('>', opening);
    return (end != std::string_view::npos && line[end - 1] == '/') ||
           findIgnoringCase(line, "</cConsistTemplate>", opening) != std::string_view::npos;
}

bool opensAnyTemplate(std::string_view line) {
    for (std::size_t at = findIgnoringCase(line, kTemplateTag); at != std::string_view::npos;
         at = findIgnoringCase(line, kTemplateTag, at + 1)) {
        const std::size_t after = at + kTemplateTag.size();
        if (after < line.size() && std::string_view(" \t>/").find(line[after]) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

bool holdsTemplateOutside(const std::vector<std::string>& lines, TemplateLines removed) {
    for (std::size_t number = 0; number < lines.size(); ++number) {
        if ((number < removed.opening || number > removed.closing) && opensAnyTemplate(lines[number])) {
            return true;
        }
    }
    return false;
}

TemplateList scanTemplates(const std::vector<std::string>& lines, TemplateScanPurpose purpose,
                           EventPump& events) {
    TemplateListScan scan(purpose);
    for (std::size_t number = 0; number < lines.size(); ++number) {
        const std::string_view line = trimSpaces(lines[number]);
        const bool goingOn = line.empty() || scan.scanLine(line, number);
        events.pump();
        if (!goingOn) {
            break;
        }
    }
    return scan.finish();
}

std::optional<TemplateLines> templateLinesNamed(const TemplateList& templates, std::string_view name,
                                                const std::vector<std::string>& lines, NameMatch match) {
    for (const TemplateRecord& record : templates.templates) {
        if (!record.name ||
            (match == NameMatch::AsWritten ? *record.name != name : xmlUnescapedText(*record.name) != name)) {
            continue;
        }
        if (!spansTemplate(record, lines)) {
            return std::nullopt;
        }
        return TemplateLines{record.opening, *record.closing};
    }
    return std::nullopt;
}

std::optional<TemplateLines> listedTemplateLines(const TemplateList& templates, const ListedRow& row,
                                                 const std::vector<std::string>& lines) {
    if (row.position >= templates.templates.size()) {
        return std::nullopt;
    }
    const TemplateRecord& record = templates.templates[row.position];
    if (listedRowText(record) != row.text || !spansTemplate(record, lines)) {
        return std::nullopt;
    }
    return TemplateLines{record.opening, *record.closing};
}

std::int64_t firstFreeNumber(std::string_view list, std::int64_t start) {
    std::int64_t number = start;
    while (list.find(std::to_string(number) + "|") != std::string_view::npos) {
        number += 16;
    }
    return number;
}

} // namespace dovrel

#include "consistfiles/TemplateScan.h"

#include "core/TextRules.h"
#include "core/XmlText.h"

namespace dovrel {

namespace {

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
            }
            return true;
        }
        if (purpose_ == TemplateScanPurpose::Save && containsIgnoringCase(line, "</cConsistTemplateEntry>")) {
            state_ = 3;
            return true;
        }
        if (containsIgnoringCase(line, "</cConsistTemplate>")) {
            list_.templateIndex.append(std::to_string(lineNumber)).append(":");
            list_.templates.back().closing = lineNumber;
            inside_ = false;
            state_ = 0;
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

} // namespace

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
            (match == NameMatch::AsWritten ? *record.name != name
                                           : xmlUnescapedText(*record.name) != xmlUnescapedText(name))) {
            continue;
        }
        if (!record.closing || *record.closing < record.opening || *record.closing >= lines.size() ||
            !containsIgnoringCase(lines[record.opening], "<cConsistTemplate ") ||
            !containsIgnoringCase(lines[*record.closing], "</cConsistTemplate>")) {
            return std::nullopt;
        }
        return TemplateLines{record.opening, *record.closing};
    }
    return std::nullopt;
}

std::int64_t firstFreeNumber(std::string_view list, std::int64_t start) {
    std::int64_t number = start;
    while (list.find(std::to_string(number) + "|") != std::string_view::npos) {
        number += 16;
    }
    return number;
}

} // namespace dovrel

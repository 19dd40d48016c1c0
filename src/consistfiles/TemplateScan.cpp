#include "consistfiles/TemplateScan.h"

#include "core/TextRules.h"

#include <charconv>

namespace dovrel {

namespace {

class TemplateListScan {
public:
    explicit TemplateListScan(TemplateScanPurpose purpose) : purpose_(purpose) {}

    // False once the scan has ended.
    bool scanLine(std::string_view line, std::size_t lineNumber) {
        if (!inside_) {
            if (containsIgnoringCase(line, "<cConsistTemplate ")) {
                list_.templateIndex.append(cutIdentifier(line).value_or(std::string_view{}))
                    .append("|")
                    .append(std::to_string(lineNumber))
                    .append("|");
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
        if (list_.templateNames.ends_with('|')) {
            list_.templateNames.pop_back();
        }
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
            list_.templateNames.append(cutValue(line).value_or(std::string_view{})).append("|");
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

std::optional<std::size_t> lineNumber(std::string_view text) {
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return number;
}

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
                                                const std::vector<std::string>& lines) {
    if (templates.templateNames.empty()) {
        return std::nullopt;
    }
    const std::vector<std::string> names = splitAt(templates.templateNames, "|");
    const std::vector<std::string> index = splitAt(templates.templateIndex, ":");
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (names[k] != name) {
            continue;
        }
        if (k >= index.size()) {
            return std::nullopt;
        }
        const std::vector<std::string> pieces = splitAt(index[k], "|");
        if (pieces.size() < 3) {
            return std::nullopt;
        }
        const auto opening = lineNumber(pieces[1]);
        const auto closing = lineNumber(pieces[2]);
        if (!opening || !closing || *closing < *opening || *closing >= lines.size() ||
            !containsIgnoringCase(lines[*opening], "<cConsistTemplate ") ||
            !containsIgnoringCase(lines[*closing], "</cConsistTemplate>")) {
            return std::nullopt;
        }
        return TemplateLines{*opening, *closing};
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

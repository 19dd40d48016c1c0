// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/ScanReport.h"

#include "core/TextRules.h"

namespace dovrel {

std::string scanReportRow(const ScanMessage& message) {
    std::string row;
    for (const std::string& line : splitAt(message.text, "\r\n")) {
        const std::string_view kept = trimSpaces(line);
        if (kept.empty()) {
            continue;
        }
        if (!row.empty()) {
            row += ' ';
        }
        row += kept;
    }
    return row + '\t' + message.blueprint;
}

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace dovrel {

// The file in the program folder that keeps the messages of the last scan that collected them.
inline constexpr std::string_view kScanReportName = "scanreport.txt";

// How a scan tells about the blueprints it cannot store: a message box for each, as it meets them,
// or none, the messages kept for one report when the scan is over.
enum class ScanMessageMode { Show, Collect };

// A message a collecting scan kept instead of showing it: its text as the message box would show
// it, and where the blueprint lies (its file; for packed stock the archive, "/" and the entry).
struct ScanMessage {
    std::string text;
    std::string blueprint;

    bool operator==(const ScanMessage&) const = default;
};

// One row of the scan report: the message on one line (its lines trimmed of spaces, the empty ones
// left out, the rest joined by one space), a tab, then where the blueprint lies.
std::string scanReportRow(const ScanMessage& message);

} // namespace dovrel

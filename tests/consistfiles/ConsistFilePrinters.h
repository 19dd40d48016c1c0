// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/ConsistListing.h"
#include "consistfiles/ListedConsistView.h"
#include "consistfiles/TemplateScan.h"
#include "consistfiles/UserConsistBackups.h"

#include <gtest/gtest.h>
#include <ostream>

// How a failed comparison shows the consist files' rows and records: their fields by name, instead of
// the object's raw bytes. Every test of the consist files sees these through ConsistFilesWorld.h.
namespace dovrel {

inline void PrintTo(const ConsistRow& row, std::ostream* out) {
    *out << "{identifier " << ::testing::PrintToString(row.identifier) << ", name "
         << ::testing::PrintToString(row.name) << '}';
}

inline void PrintTo(const UnitViewRow& row, std::ostream* out) {
    *out << '{' << ::testing::PrintToString(row.ordinal) << ", " << ::testing::PrintToString(row.equipment)
         << ", " << ::testing::PrintToString(row.orientation) << '}';
}

inline void PrintTo(const TemplateRecord& record, std::ostream* out) {
    *out << "{id " << ::testing::PrintToString(record.id) << ", lines " << record.opening << " to "
         << ::testing::PrintToString(record.closing) << ", name " << ::testing::PrintToString(record.name)
         << '}';
}

inline void PrintTo(const TemplateLines& lines, std::ostream* out) {
    *out << "{lines " << lines.opening << " to " << lines.closing << '}';
}

inline void PrintTo(const UserConsistBackup& backup, std::ostream* out) {
    *out << '{' << backup.file << ", taken " << ::testing::PrintToString(backup.taken) << ", number "
         << ::testing::PrintToString(backup.sequence) << '}';
}

} // namespace dovrel

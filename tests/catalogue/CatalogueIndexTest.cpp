// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/Catalogue.h"
#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace dovrel {
namespace {

// The walk the lookups stand for: slots before the first empty one whose field, split at "|", matches.
std::vector<int> walk(const std::vector<std::string>& slots, RecordField field, std::string_view wanted,
                      bool ignoreCase) {
    std::vector<int> found;
    for (std::size_t i = 0; i < slots.size() && !slots[i].empty(); ++i) {
        const EquipmentRecord record(slots[i]); // the fields view its own copy
        const std::string_view value = record.field(field);
        if (ignoreCase ? asciiLower(value) == asciiLower(wanted) : value == wanted) {
            found.push_back(static_cast<int>(i));
        }
    }
    return found;
}

// Names and paths that meet each other in many ways: the same text in other cases, bytes past ASCII
// (whose case is never folded), a "|" that shifts the later fields, the empty text.
const std::vector<std::string> kNames = {"Twin", "TWIN",    "twin",    "Class 66",  "class 66",
                                         "",     "Caf\xE9", "CAF\xC9", "Caf\xC9",   "a|b",
                                         "b",    "Tw in",   "Twin ",   "Ærø Wagon", "ærø wagon"};
const std::vector<std::string> kPaths = {"RailVehicles\\Diesel\\a.xml",  "railvehicles\\diesel\\A.XML",
                                         "RailVehicles\\Diesel\\b.xml",  "",
                                         "RailVehicles\\Caf\xE9\\c.xml", "RailVehicles\\CAF\xC9\\c.xml"};

std::string randomRecord(std::mt19937& random) {
    const auto pick = [&random](const std::vector<std::string>& pool) {
        return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
    };
    std::array<std::string, kRecordFieldCount> fields;
    fields.fill("0");
    fields[static_cast<std::size_t>(RecordField::englishName)] = pick(kNames);
    fields[static_cast<std::size_t>(RecordField::provider)] = pick({"Acme", "acme", "Zed"});
    fields[static_cast<std::size_t>(RecordField::blueprintPath)] = pick(kPaths);
    std::string record = EquipmentRecord::join(fields);
    // Now and then a record cut short, before its name or its path.
    if (std::uniform_int_distribution<int>(0, 9)(random) == 0) {
        record.resize(std::uniform_int_distribution<std::size_t>(1, 30)(random));
    }
    return record;
}

// Random catalogues with many duplicate names and paths, loaded as a cache (an empty slot ending the
// records in use) and appended record by record: every lookup finds what the walk finds.
TEST(CatalogueLookups, FindWhatTheWalkFromSlotZeroFinds) {
    std::mt19937 random(20261207);
    std::vector<std::string> queries = kNames;
    queries.insert(queries.end(), kPaths.begin(), kPaths.end());
    queries.emplace_back("0");
    for (int round = 0; round < 400; ++round) {
        std::vector<std::string> slots;
        const int count = std::uniform_int_distribution<int>(0, 60)(random);
        for (int i = 0; i < count; ++i) {
            const bool emptySlot = std::uniform_int_distribution<int>(0, 40)(random) == 0;
            slots.push_back(emptySlot ? std::string() : randomRecord(random));
        }
        const Catalogue loaded = Catalogue::fromSlots(slots);
        Catalogue appended;
        for (std::size_t i = 0; i < slots.size() && !slots[i].empty(); ++i) {
            appended.append(slots[i]);
        }
        for (const Catalogue* catalogue : {&loaded, static_cast<const Catalogue*>(&appended)}) {
            // The catalogue's slots hold copies: compare where the records found stand.
            const std::string* own = catalogue->records().data();
            const auto at = [own](const std::string* record) {
                return record == nullptr ? -1 : static_cast<int>(record - own);
            };
            const auto first = [](const std::vector<int>& all) { return all.empty() ? -1 : all.front(); };
            for (const std::string& query : queries) {
                SCOPED_TRACE("round " + std::to_string(round) + ", " + query);
                EXPECT_EQ(at(catalogue->firstNamed(query)),
                          first(walk(slots, RecordField::englishName, query, false)));
                EXPECT_EQ(at(catalogue->firstNamedIgnoringCase(query)),
                          first(walk(slots, RecordField::englishName, query, true)));
                std::vector<int> indexed;
                for (const std::string* record : catalogue->withBlueprintPath(query)) {
                    indexed.push_back(at(record));
                }
                EXPECT_EQ(indexed, walk(slots, RecordField::blueprintPath, query, true));
            }
        }
    }
}

// Clearing, and appending after a cache was loaded, keep the lookups on the records in use.
TEST(CatalogueLookups, FollowTheCatalogueAsItChanges) {
    Catalogue catalogue = Catalogue::fromSlots({"diesel|Twin|A|P|a.xml", "", "diesel|Hidden|A|P|h.xml"});
    EXPECT_EQ(catalogue.firstNamed("Hidden"), nullptr) << "past the empty slot";
    catalogue.clear();
    EXPECT_EQ(catalogue.firstNamed("Twin"), nullptr);
    ASSERT_TRUE(catalogue.append("diesel|Twin|A|P|a.xml"));
    ASSERT_TRUE(catalogue.append("steam|twin|B|Q|A.XML"));
    ASSERT_NE(catalogue.firstNamedIgnoringCase("TWIN"), nullptr);
    EXPECT_EQ(*catalogue.firstNamedIgnoringCase("TWIN"), "diesel|Twin|A|P|a.xml");
    EXPECT_EQ(catalogue.withBlueprintPath("a.XML").size(), 2u);
}

} // namespace
} // namespace dovrel

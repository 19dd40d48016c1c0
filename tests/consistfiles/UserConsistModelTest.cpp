// SPDX-License-Identifier: GPL-3.0-or-later
// Random user-consist files, deletes and saves, each checked byte for byte against a model of the file:
// nameless, trimmed, repeated and encoded names and names holding "|", self-closing templates, templates with
// d:id 0, a second record and another child of the root; rows chosen as listed, or out of date.
#include "ConsistFilesWorld.h"
#include "consistfiles/TemplateDocument.h"
#include "core/TextRules.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace dovrel {
namespace {

using consisttest::Entry;
using consisttest::record;

const std::vector<std::string> kCatalogue = {record("Loco", "loco.xml"), record("Wagon", "wagon.xml"), ""};
const std::vector<std::string> kLine = {kCatalogue[0] + "|0", kCatalogue[1] + "|1"};
// Names as the file writes them; the reader decodes each entity once.
const std::vector<std::string> kNames = {"X", " X", "X ", "", "*", "A|B", "A &amp; B", "&amp;amp;1"};
std::string decoded(std::string name) {
    for (std::size_t at = name.find("&amp;"); at != std::string::npos; at = name.find("&amp;", at + 1)) {
        name.replace(at, 5, "&");
    }
    return name;
}
const std::vector<std::string> kTyped = {"X", " X ", "A & B", "&amp;1", "New", "a*b", "  "};

struct Item {
    enum Kind { Named, Nameless, SelfClosing, IdZero } kind = Named;
    std::string id{}, written{}, text{};
    std::vector<Entry> entries{};
    std::vector<std::int64_t> savedEntryIds{};

    bool listed() const { return kind <= SelfClosing; }
    ConsistRow row() const { return {id, kind == Named ? written : "*"}; }
    // A nameless template's first entry is never looked at, so never found.
    std::size_t unitsNotFound() const {
        std::size_t missing = 0;
        for (std::size_t e = 0; e < entries.size(); ++e) {
            missing += entries[e].provider != "Acme" || entries[e].blueprint == "gone.xml" ||
                       (kind == Nameless && e == 0);
        }
        return missing;
    }
};

struct Model {
    std::vector<std::vector<Item>> records;
    std::string rootTail;
    bool endsWithCrLf = true;

    std::vector<Item*> items(bool listedOnly = false) {
        std::vector<Item*> all;
        for (auto& r : records) {
            for (Item& item : r) {
                if (!listedOnly || item.listed()) {
                    all.push_back(&item);
                }
            }
        }
        return all;
    }
    std::string text() const {
        std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                          "<cRecordSet xmlns:d=\"urn:game:delta\" d:version=\"1.0\" d:id=\"132395920\">\r\n";
        for (const auto& r : records) {
            out += "\t<Record>\r\n";
            for (const Item& item : r) {
                out += item.text;
            }
            out += "\t</Record>\r\n";
        }
        return out + rootTail + "</cRecordSet>" + (endsWithCrLf ? "\r\n" : "");
    }
    void erase(const Item* gone) {
        for (auto& r : records) {
            std::erase_if(r, [&](const Item& item) { return &item == gone; });
        }
    }
};

std::int64_t firstFree(const std::vector<std::int64_t>& taken, std::int64_t start) {
    while (std::find(taken.begin(), taken.end(), start) != taken.end()) {
        start += 16;
    }
    return start;
}

struct Session {
    std::mt19937 random;
    int nextId = 0;
    Model model;
    bool exists = false;
    consisttest::World world;
    std::set<std::string>& seen;

    Session(std::uint32_t seed, std::set<std::string>& tally) : random(seed), seen(tally) {}
    std::size_t below(std::size_t n) { return random() % n; }
    bool chance(std::size_t percent) { return below(100) < percent; }

    Item item() {
        Item made{static_cast<Item::Kind>(below(10) < 6 ? 0 : below(4)), std::to_string(100 + nextId++)};
        made.written = kNames[below(kNames.size())];
        for (std::size_t e = made.kind == Item::SelfClosing ? 0 : below(3); e > 0; --e) {
            made.entries.push_back({below(4) == 0 ? "gone.xml" : (chance(50) ? "loco.xml" : "wagon.xml"),
                                    chance(50) ? "0" : "1", std::to_string(100 + nextId++)});
            made.entries.back().provider = chance(15) ? "Zeta" : "Acme";
        }
        made.text = made.kind == Item::SelfClosing
                        ? "\t\t<cConsistTemplate d:id=\"" + made.id + "\"/>\r\n"
                        : consisttest::userTemplate("d:id=\"" + made.id + "\"", made.written, made.entries);
        if (made.kind == Item::Nameless) { // no English line at all
            const std::size_t at = made.text.find("<English "), start = made.text.rfind('\n', at) + 1;
            made.text.erase(start, made.text.find('\n', at) + 1 - start);
        } else if (made.kind == Item::IdZero) {
            made.text.replace(made.text.find(" d:id=\"" + made.id + "\""), made.id.size() + 8, "");
            made.id = "0";
        }
        return made;
    }

    void write() {
        model = Model{};
        model.records.resize(chance(30) ? 2 : 1);
        for (auto& r : model.records) {
            for (std::size_t k = below(5); k > 0; --k) {
                r.push_back(item());
            }
        }
        model.rootTail = chance(25) ? "\t<cExtra d:id=\"77\"/>\r\n" : "";
        if (model.items().empty()) {
            model.records[0].push_back(item());
        }
        world.writeGameFile(model.text());
        exists = true;
        if (model.records.size() > 1 && !model.rootTail.empty()) {
            seen.insert("second record and extra child");
        }
        for (const Item* i : model.items()) {
            seen.insert("kind " + std::to_string(i->kind));
        }
    }

    std::vector<ConsistRow> read() {
        std::vector<ConsistRow> expected;
        std::size_t missing = 0;
        for (Item* i : model.items(true)) {
            missing += i->unitsNotFound();
            expected.push_back(i->row());
        }
        world.answer({MessageAnswer::OK}, static_cast<int>(missing));
        const std::vector<ConsistRow> rows = world.readUser(kCatalogue).result.listing.rows();
        EXPECT_EQ(rows, expected);
        return rows;
    }

    // A row at a random place, now and then carrying another row's text.
    ListedRow pick(const std::vector<ConsistRow>& rows, std::size_t outOfDate) {
        const std::size_t position = below(rows.size());
        return {position, rows[chance(outOfDate) ? below(rows.size()) : position].text()};
    }

    void deleteRow(const std::vector<ConsistRow>& rows) {
        const ListedRow row = pick(rows, 15);
        if (row.text != rows[row.position].text()) {
            world.answer({MessageAnswer::OK});
            EXPECT_EQ(world.remove(row).result, DeleteResult::NotFound);
            seen.insert("delete out of date");
            return;
        }
        world.answer({MessageAnswer::Yes, MessageAnswer::OK});
        model.erase(model.items(true)[row.position]);
        const bool last = model.items().empty();
        EXPECT_EQ(world.remove(row).result, last ? DeleteResult::LastDeleted : DeleteResult::Deleted);
        seen.insert(last ? "last delete" : model.items(true).empty() ? "delete to unlisted" : "delete");
        exists = !last;
        model.endsWithCrLf = true;
    }

    void save(const std::vector<ConsistRow>& rows) {
        const std::vector<Item*> listed = model.items(true);
        std::optional<ListedRow> chosen;
        std::string typed = kTyped[below(kTyped.size())];
        if (!rows.empty() && chance(60)) {
            chosen = pick(rows, 25);
            // As the window fills the name box.
            typed = chance(50) ? decoded(listed[chosen->position]->written) : typed;
        }
        const SaveContext context{chosen, kCatalogue};
        const std::string name(trimSpaces(typed));
        if (name.empty() || name.find_first_of("*|") != std::string::npos) {
            world.answer({MessageAnswer::OK});
            EXPECT_NE(world.save(typed, kLine, context).result, SaveResult::Saved);
            seen.insert("refused name");
            return;
        }
        // The chosen row's template when the row carries the name, else the first template of the name.
        Item* replaced = nullptr;
        if (chosen && decoded(chosen->text.substr(chosen->text.find('\t') + 1)) == name) {
            if (chosen->text != listed[chosen->position]->row().text()) {
                world.answer({MessageAnswer::OK});
                EXPECT_EQ(world.save(typed, kLine, context).result, SaveResult::NotFound);
                seen.insert("save out of date");
                return;
            }
            replaced = listed[chosen->position];
            seen.insert("save over the chosen row");
        } else {
            const auto first = std::ranges::find_if(
                listed, [&](const Item* i) { return i->kind == Item::Named && decoded(i->written) == name; });
            replaced = first == listed.end() ? nullptr : *first;
            seen.insert(replaced ? "save over the first of the name" : "save of a new name");
        }
        if (replaced) { // Yes to replace it, and to leave its missing units out
            world.answer({MessageAnswer::Yes}, replaced->unitsNotFound() > 0 ? 2 : 1);
        }
        world.answer({MessageAnswer::OK});
        std::vector<std::int64_t> templateIds, entryIds;
        for (Item* i : listed) {
            templateIds.push_back(std::stoll(i->id));
            entryIds.insert(entryIds.end(), i->savedEntryIds.begin(), i->savedEntryIds.end());
        }
        const TemplateNumbers numbers{firstFree(templateIds, 550000000), firstFree(entryIds, 325000000)};
        Item made{Item::Named, std::to_string(numbers.templateNumber), "",
                  templateBlock(name, kLine, numbers)};
        made.savedEntryIds = {numbers.firstEntryNumber, numbers.firstEntryNumber + 16};
        for (const char c : name) {
            made.written += c == '&' ? std::string("&amp;") : std::string(1, c);
        }
        model.erase(replaced);
        model.records[0].push_back(made);
        model.endsWithCrLf = false;
        EXPECT_EQ(world.save(typed, kLine, context).result, SaveResult::Saved);
    }
};

TEST(UserConsistModel, RandomFilesAndRandomDeletesAndSavesMatchTheModelByteForByte) {
    std::set<std::string> seen;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Session session(seed, seen);
        for (int step = 0; step < 12; ++step) {
            SCOPED_TRACE("step " + std::to_string(step));
            if (!session.exists) {
                session.write();
            }
            const std::vector<ConsistRow> rows = session.read();
            if (!rows.empty() && session.chance(50)) {
                session.deleteRow(rows);
            } else {
                session.save(rows);
            }
            ASSERT_EQ(std::filesystem::exists(session.world.gameFile()), session.exists);
            if (session.exists) {
                ASSERT_EQ(testing::fileText(session.world.gameFile()), session.model.text());
            }
            ASSERT_TRUE(session.world.messages.allAnswersUsed());
        }
    }
    EXPECT_EQ(seen.size(), 14u) << ::testing::PrintToString(seen);
}

} // namespace
} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
// Random user-consist files and random deletes and saves, each checked byte for byte against a model
// of the file: templates with and without names, names with spaces around them or entities in them,
// names met twice, self-closing templates, templates with d:id 0, a second record and another child
// of the root; rows chosen as listed, or out of date.
#include "ConsistFilesBench.h"
#include "consistfiles/TemplateDocument.h"
#include "core/TextRules.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using consisttest::Bench;
using consisttest::Entry;
using consisttest::record;
using consisttest::userTemplate;
using testing::fileText;

const std::vector<std::string> kCatalogue = {record("Loco", "loco.xml"), record("Wagon", "wagon.xml"), ""};

// A name as the file writes it and as the user reads or types it.
struct Name {
    std::string written;
    std::string text;
};
const std::vector<Name> kNames = {{"X", "X"}, {" X", " X"}, {"X ", "X "},           {" ", " "},
                                  {"", ""},   {"*", "*"},   {"A &amp; B", "A & B"}, {"&amp;amp;1", "&amp;1"}};
// Names typed into the name box (trimmed by the save).
const std::vector<std::string> kTyped = {"X", " X ", "A & B", "&amp;1", "New", "a*b", "  "};

// One child of a record, or of the root after the first record.
struct Item {
    enum Kind { Named, Nameless, SelfClosing, IdZero, Other } kind = Named;
    std::string id;
    Name name;
    std::vector<Entry> entries;
    std::vector<std::int64_t> savedEntryIds; // the entries of a template the save wrote
    std::string text;                        // its lines, each ended by CR LF

    bool listed() const { return kind == Named || kind == Nameless || kind == SelfClosing; }
    bool isTemplate() const { return kind != Other; }
    std::string row() const { return id + "\t" + (kind == Named ? name.written : "*"); }
    // The entries the reader does not find in the catalogue. In a template without a name the first
    // entry's lines are not looked at (the reader still waits for the name): it is never found.
    std::size_t unitsNotFound() const {
        std::size_t missing = 0;
        for (std::size_t e = 0; e < entries.size(); ++e) {
            const bool installed = entries[e].provider == "Acme" && (entries[e].blueprint == "loco.xml" ||
                                                                     entries[e].blueprint == "wagon.xml");
            missing += !installed || (kind == Nameless && e == 0) ? 1 : 0;
        }
        return missing;
    }
};

// The file: records of items (record 0 is the first), and children of the root after them.
struct Model {
    std::vector<std::vector<Item>> records;
    std::vector<Item> rootChildren;
    bool endsWithCrLf = true;
    bool exists = true;

    std::vector<Item*> items() {
        std::vector<Item*> all;
        for (auto& record : records) {
            for (Item& item : record) {
                all.push_back(&item);
            }
        }
        return all;
    }
    std::vector<Item*> listed() {
        std::vector<Item*> rows;
        for (Item* item : items()) {
            if (item->listed()) {
                rows.push_back(item);
            }
        }
        return rows;
    }
    std::string text() const {
        std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                          "<cRecordSet xmlns:d=\"urn:game:delta\" d:version=\"1.0\" d:id=\"132395920\">\r\n";
        for (const auto& record : records) {
            out += "\t<Record>\r\n";
            for (const Item& item : record) {
                out += item.text;
            }
            out += "\t</Record>\r\n";
        }
        for (const Item& child : rootChildren) {
            out += child.text;
        }
        return out + "</cRecordSet>" + (endsWithCrLf ? "\r\n" : "");
    }
    bool holdsTemplate() {
        const auto all = items();
        return std::any_of(all.begin(), all.end(), [](const Item* item) { return item->isTemplate(); });
    }
    void erase(const Item* gone) {
        for (auto& record : records) {
            std::erase_if(record, [&](const Item& item) { return &item == gone; });
        }
    }
};

class Generator {
public:
    explicit Generator(std::uint32_t seed) : random_(seed) {}

    std::size_t below(std::size_t n) { return static_cast<std::size_t>(random_() % n); }
    bool chance(int percent) { return below(100) < static_cast<std::size_t>(percent); }

    Model file() {
        Model model;
        const std::size_t records = chance(30) ? 2 : 1;
        for (std::size_t r = 0; r < records; ++r) {
            std::vector<Item> record;
            for (std::size_t k = below(5); k > 0; --k) {
                record.push_back(item());
            }
            model.records.push_back(record);
        }
        if (chance(25)) {
            model.rootChildren.push_back(Item{Item::Other, "", {}, {}, {}, "\t<cExtra d:id=\"77\"/>\r\n"});
        }
        if (!model.holdsTemplate()) {
            model.records[0].push_back(item());
        }
        return model;
    }

private:
    Item item() {
        Item made;
        made.id = std::to_string(100 + nextId_++);
        made.kind = static_cast<Item::Kind>(below(10) < 6 ? 0 : below(4));
        made.name = kNames[below(kNames.size())];
        for (std::size_t e = made.kind == Item::SelfClosing ? 0 : below(3); e > 0; --e) {
            Entry entry{below(4) == 0 ? "gone.xml" : (chance(50) ? "loco.xml" : "wagon.xml"),
                        chance(50) ? "0" : "1", std::to_string(100 + nextId_++)};
            if (chance(15)) {
                entry.provider = "Zeta";
            }
            made.entries.push_back(entry);
        }
        switch (made.kind) {
        case Item::Named:
            made.text = userTemplate("d:id=\"" + made.id + "\"", made.name.written, made.entries);
            break;
        case Item::Nameless: {
            // No English line at all.
            made.text = userTemplate("d:id=\"" + made.id + "\"", "-", made.entries);
            const std::size_t english = made.text.find("<English ");
            const std::size_t start = made.text.rfind('\n', english) + 1;
            made.text.erase(start, made.text.find('\n', english) + 1 - start);
            break;
        }
        case Item::SelfClosing:
            made.text = "\t\t<cConsistTemplate d:id=\"" + made.id + "\"/>\r\n";
            break;
        default: {
            made.kind = Item::IdZero;
            made.text = userTemplate("d:id=\"0\"", made.name.written, made.entries);
            const std::string opening = "<cConsistTemplate d:id=\"0\">";
            made.text.replace(made.text.find(opening), opening.size(), "<cConsistTemplate>");
            made.id = "0";
        }
        }
        return made;
    }

    std::mt19937 random_;
    int nextId_ = 0;
};

const std::vector<std::string> kLine = {kCatalogue[0] + "|0", kCatalogue[1] + "|1"};

// The first of start, start + 16, ... that none of the taken numbers is.
std::int64_t firstFree(const std::vector<std::int64_t>& taken, std::int64_t start) {
    while (std::find(taken.begin(), taken.end(), start) != taken.end()) {
        start += 16;
    }
    return start;
}

// How often each kind of step and file came up, so that none is left untried.
using Tally = std::map<std::string, int>;

struct ModelSession {
    Generator generate;
    Model model;
    Bench bench;
    Tally& seen;

    ModelSession(std::uint32_t seed, Tally& tally) : generate(seed), model(generate.file()), seen(tally) {
        write();
    }

    void write() {
        bench.writeGameFile(model.text());
        model.exists = true;
        seen["second record"] += model.records.size() > 1 ? 1 : 0;
        seen["child of the root"] += model.rootChildren.empty() ? 0 : 1;
        for (const Item* item : model.items()) {
            ++seen["template of kind " + std::to_string(item->kind)];
        }
    }

    // Reads the file as the window does and checks the rows against the model.
    std::vector<ConsistRow> read() {
        std::size_t missing = 0;
        for (Item* item : model.listed()) {
            missing += item->unitsNotFound();
        }
        bench.answer({MessageAnswer::OK}, static_cast<int>(missing));
        const auto result = bench.readUser(kCatalogue);
        std::vector<std::string> expected;
        for (Item* item : model.listed()) {
            expected.push_back(item->row());
        }
        std::vector<std::string> rows;
        for (const ConsistRow& row : result.result.listing.rows()) {
            rows.push_back(row.text());
        }
        EXPECT_EQ(rows, expected);
        return result.result.listing.rows();
    }

    void deleteRow(const std::vector<ConsistRow>& rows) {
        const std::vector<Item*> listed = model.listed();
        const std::size_t position = generate.below(rows.size());
        // Now and then a row out of date: another row's text at this place.
        const std::size_t textFrom = generate.chance(15) ? generate.below(rows.size()) : position;
        const ListedRow row{position, rows[textFrom].text()};
        const bool found = rows[textFrom].text() == rows[position].text();
        if (!found) {
            bench.answer({MessageAnswer::OK});
            EXPECT_EQ(bench.remove(row).result, DeleteResult::NotFound);
            ++seen["delete of a row out of date"];
            return;
        }
        bench.answer({MessageAnswer::Yes, MessageAnswer::OK});
        model.erase(listed[position]);
        const DeleteResult result = bench.remove(row).result;
        if (!model.holdsTemplate()) {
            EXPECT_EQ(result, DeleteResult::LastDeleted);
            ++seen[model.items().empty() ? "last delete" : "last delete beside other children"];
            model.exists = false;
            return;
        }
        EXPECT_EQ(result, DeleteResult::Deleted);
        ++seen[model.listed().empty() ? "delete leaving unlisted templates" : "delete"];
        model.endsWithCrLf = true;
    }

    // What a name written in the file reads as.
    static std::string textOf(std::string_view written) {
        const auto name =
            std::find_if(kNames.begin(), kNames.end(), [&](const Name& n) { return n.written == written; });
        return name == kNames.end() ? std::string(written) : name->text;
    }

    void save(const std::vector<ConsistRow>& rows) {
        const std::vector<Item*> listed = model.listed();
        ASSERT_EQ(rows.size(), listed.size());
        std::optional<ListedRow> chosen;
        std::string typed = kTyped[generate.below(kTyped.size())];
        if (!rows.empty() && generate.chance(60)) {
            const std::size_t position = generate.below(rows.size());
            const std::size_t textFrom = generate.chance(10) ? generate.below(rows.size()) : position;
            chosen = ListedRow{position, rows[textFrom].text()};
            if (generate.chance(50)) {
                typed = listed[position]->name.text; // as View puts it into the box
            }
        }
        const SaveContext context{chosen, kCatalogue};
        const std::string name(trimSpaces(typed));
        if (name.empty() || name.find('*') != std::string::npos) {
            bench.answer({MessageAnswer::OK});
            EXPECT_NE(bench.save(typed, kLine, context).result, SaveResult::Saved);
            ++seen["refused name"];
            return;
        }
        // The template replaced: the chosen row's own when the row carries the name (nothing when
        // that template is not at the row's place), else the first template of the name.
        Item* replaced = nullptr;
        if (chosen && textOf(chosen->text.substr(chosen->text.find('\t') + 1)) == name) {
            if (chosen->text != listed[chosen->position]->row()) {
                bench.answer({MessageAnswer::OK});
                EXPECT_EQ(bench.save(typed, kLine, context).result, SaveResult::NotFound);
                ++seen["save over a row out of date"];
                return;
            }
            replaced = listed[chosen->position];
            ++seen["save over the chosen row"];
        } else {
            const auto first = std::find_if(listed.begin(), listed.end(), [&](const Item* item) {
                return item->kind == Item::Named && item->name.text == name;
            });
            replaced = first == listed.end() ? nullptr : *first;
            ++seen[replaced == nullptr ? "save of a new name" : "save over the first of the name"];
        }
        if (replaced != nullptr) {
            bench.answer({MessageAnswer::Yes});
            if (replaced->unitsNotFound() > 0) {
                const bool leaveOut = generate.chance(70);
                bench.answer({leaveOut ? MessageAnswer::Yes : MessageAnswer::No});
                if (!leaveOut) {
                    EXPECT_EQ(bench.save(typed, kLine, context).result, SaveResult::NotReplaced);
                    ++seen["units kept by No"];
                    return;
                }
            }
        }
        bench.answer({MessageAnswer::OK});

        std::vector<std::int64_t> templateIds;
        std::vector<std::int64_t> entryIds;
        for (Item* item : listed) {
            templateIds.push_back(std::stoll(item->id));
            entryIds.insert(entryIds.end(), item->savedEntryIds.begin(), item->savedEntryIds.end());
        }
        const TemplateNumbers numbers{firstFree(templateIds, 550000000), firstFree(entryIds, 325000000)};
        Item made;
        made.id = std::to_string(numbers.templateNumber);
        made.savedEntryIds = {numbers.firstEntryNumber, numbers.firstEntryNumber + 16};
        std::string written;
        for (const char c : name) {
            written += c == '&' ? std::string("&amp;") : std::string(1, c);
        }
        made.name = {written, name};
        made.text = templateBlock(name, kLine, numbers);
        if (replaced != nullptr) {
            model.erase(replaced);
        }
        model.records[0].push_back(made);
        model.endsWithCrLf = false;
        EXPECT_EQ(bench.save(typed, kLine, context).result, SaveResult::Saved);
    }
};

TEST(UserConsistModel, RandomFilesAndRandomDeletesAndSavesMatchTheModelByteForByte) {
    Tally seen;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        ModelSession session(seed, seen);
        for (int step = 0; step < 12; ++step) {
            SCOPED_TRACE("step " + std::to_string(step));
            if (!session.model.exists) {
                session.model = session.generate.file();
                session.write();
            }
            const std::vector<ConsistRow> rows = session.read();
            if (!rows.empty() && session.generate.chance(50)) {
                session.deleteRow(rows);
            } else {
                session.save(rows);
            }
            ASSERT_EQ(fs::exists(session.bench.gameFile()), session.model.exists);
            if (session.model.exists) {
                ASSERT_EQ(fileText(session.bench.gameFile()), session.model.text());
            }
            ASSERT_TRUE(session.bench.messages.allAnswersUsed());
        }
    }
    for (const char* kind : {"second record", "child of the root", "template of kind 0", "template of kind 1",
                             "template of kind 2", "template of kind 3", "delete of a row out of date",
                             "last delete", "delete", "delete leaving unlisted templates", "refused name",
                             "save over a row out of date", "save over the chosen row",
                             "save over the first of the name", "save of a new name", "units kept by No"}) {
        EXPECT_GT(seen[kind], 0) << kind;
    }
}

} // namespace
} // namespace dovrel

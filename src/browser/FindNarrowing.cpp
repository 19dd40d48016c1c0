// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/FindNarrowing.h"

#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"
#include "platform/qt/TextConversion.h"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>

namespace dovrel {

namespace {

bool isCombiningMark(QChar c) {
    const QChar::Category category = c.category();
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

// The folded letters that Unicode does not decompose into a base letter and a mark.
QStringView asciiSpelling(QChar c) {
    switch (c.unicode()) {
    case 0x00DF:
        return u"ss"; // ß
    case 0x00E6:
        return u"ae"; // æ
    case 0x0153:
        return u"oe"; // œ
    case 0x00F8:
        return u"o"; // ø
    case 0x0142:
        return u"l"; // ł
    case 0x0111:
        return u"d"; // đ
    case 0x00F0:
        return u"d"; // ð
    case 0x00FE:
        return u"th"; // þ
    case 0x0131:
        return u"i"; // dotless i
    default:
        return {};
    }
}

} // namespace

QString foldedForFind(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString bare;
    bare.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (!isCombiningMark(c)) {
            bare.append(c);
        }
    }
    const QString caseFolded = bare.toCaseFolded();
    QString folded;
    folded.reserve(caseFolded.size());
    for (const QChar c : caseFolded) {
        const QStringView spelling = asciiSpelling(c);
        if (spelling.isEmpty()) {
            folded.append(c);
        } else {
            folded.append(spelling);
        }
    }
    return folded;
}

FoldedName foldedName(std::string_view nameBytes) {
    const auto ascii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
    // An ASCII name folds to its ASCII lower case, which holds no other letter.
    const bool plain = std::all_of(nameBytes.begin(), nameBytes.end(), ascii);
    return {plain, asciiLower(nameBytes), plain ? QString() : foldedForFind(displayText(nameBytes))};
}

FindText::FindText(const QString& typed) : folded_(foldedForFind(typed)) {
    const auto ascii = [](QChar c) { return c.unicode() < 0x80; };
    if (std::all_of(folded_.begin(), folded_.end(), ascii)) {
        asciiFolded_ = folded_.toStdString();
    }
}

bool FindText::foundIn(const FoldedName& name) const {
    if (!name.ascii) {
        return name.folded.contains(folded_);
    }
    return asciiFolded_ && name.asciiLower.find(*asciiFolded_) != std::string::npos;
}

namespace {

// The path's last `parts` parts between "\", or the whole path when it has no more.
std::string_view pathEnd(std::string_view path, std::size_t parts) {
    std::size_t start = path.size();
    for (std::size_t k = 0; k < parts; ++k) {
        const std::size_t slash = start == 0 ? std::string_view::npos : path.rfind('\\', start - 1);
        if (slash == std::string_view::npos) {
            return path;
        }
        start = slash;
    }
    return path.substr(start + 1);
}

} // namespace

std::vector<std::string_view> distinguishingPathEnds(std::span<const std::string_view> paths) {
    std::vector<std::string> lowered;
    lowered.reserve(paths.size());
    for (const std::string_view path : paths) {
        lowered.push_back(asciiLower(path));
    }
    // Ends of one more part at each round; a path keeps the first end that no other path has.
    std::vector<std::optional<std::string_view>> ends(paths.size());
    std::size_t open = paths.size();
    for (std::size_t parts = 1; open > 0; ++parts) {
        std::unordered_map<std::string_view, int> count;
        bool longer = false; // some path has more than `parts` parts
        for (const std::string& path : lowered) {
            const std::string_view end = pathEnd(path, parts);
            ++count[end];
            longer = longer || end.size() < path.size();
        }
        for (std::size_t i = 0; i < paths.size(); ++i) {
            if (!ends[i] && (count[pathEnd(lowered[i], parts)] == 1 || !longer)) {
                ends[i] = pathEnd(paths[i], parts);
                --open;
            }
        }
    }
    std::vector<std::string_view> result;
    result.reserve(ends.size());
    for (const auto& end : ends) {
        result.push_back(*end);
    }
    return result;
}

namespace {

// The texts typed on the way to the current one that a list keeps the items of; the oldest go first.
constexpr std::size_t kMostTypedKept = 16;

} // namespace

FindNarrowing::FindNarrowing(std::span<const std::string> catalogue) : catalogue_(catalogue) {}

void FindNarrowing::foldAllNames() {
    if (!nameShared_.empty() || catalogue_.empty()) {
        return;
    }
    std::unordered_map<std::string_view, int> carriers;
    for (std::size_t position = 0; position < catalogue_.size(); ++position) {
        ++carriers[names(position).folded.asciiLower];
    }
    nameShared_.resize(catalogue_.size());
    for (std::size_t position = 0; position < catalogue_.size(); ++position) {
        nameShared_[position] = carriers[names(position).folded.asciiLower] > 1;
    }
}

bool FindNarrowing::nameShared(std::size_t position) {
    foldAllNames();
    return nameShared_[position];
}

const FindNarrowing::Names& FindNarrowing::names(std::size_t position) {
    if (names_.empty()) {
        names_.resize(catalogue_.size());
    }
    std::optional<Names>& names = names_[position];
    if (!names) {
        const std::string_view line = catalogue_[position];
        const std::string_view english = recordFieldView(line, RecordField::englishName);
        names = Names{english, recordFieldView(line, RecordField::provider),
                      recordFieldView(line, RecordField::product),
                      recordFieldView(line, RecordField::blueprintPath), foldedName(english)};
    }
    return *names;
}

FindNarrowing::Listed& FindNarrowing::listed(BrowserSide side, const ListFilterTexts& texts,
                                             std::span<const CouplerBox> boxes) {
    const std::array<std::string, 3> key = {std::string(texts.provider), std::string(texts.product),
                                            std::string(texts.unitClass)};
    std::vector<std::pair<std::string, bool>> boxKey;
    boxKey.reserve(boxes.size());
    for (const CouplerBox& box : boxes) {
        boxKey.emplace_back(std::string(box.caption), box.checked);
    }
    std::optional<Listed>& kept = listed_[sideIndex(side)];
    if (!kept || kept->texts != key || kept->boxes != boxKey) {
        kept = Listed{key, std::move(boxKey), listedRecords(side, catalogue_, texts, boxes), {}};
    }
    return *kept;
}

const std::optional<std::vector<std::size_t>>&
FindNarrowing::listedPositions(BrowserSide side, const ListFilterTexts& texts,
                               std::span<const CouplerBox> boxes) {
    return listed(side, texts, boxes).positions;
}

FoundItemsPtr FindNarrowing::foundUnits(BrowserSide side, const ListFilterTexts& texts,
                                        std::span<const CouplerBox> boxes, const FindText& find) {
    Listed& listedNow = listed(side, texts, boxes);
    if (!listedNow.positions) {
        return nullptr;
    }
    // The texts typed before that this one does not hold may have missed records it finds.
    std::vector<Typed>& typed = listedNow.typed;
    while (!typed.empty() && !find.narrows(typed.back().find)) {
        typed.pop_back();
    }
    if (!typed.empty() && typed.back().find == find) {
        return typed.back().items;
    }
    // A text that holds an earlier one finds only records that one found: those alone are searched.
    std::vector<std::size_t> found;
    const auto search = [&](std::size_t position) {
        if (find.foundIn(names(position).folded)) {
            found.push_back(position);
        }
    };
    if (typed.empty()) {
        std::for_each(listedNow.positions->begin(), listedNow.positions->end(), search);
    } else {
        for (const FoundUnit& unit : typed.back().items->units) {
            search(unit.record);
        }
    }
    // The same records found make the same items.
    FoundItemsPtr items = !typed.empty() && found.size() == typed.back().items->units.size()
                              ? typed.back().items
                              : unitsOf(found);
    if (typed.size() == kMostTypedKept) {
        typed.erase(typed.begin());
    }
    typed.push_back({find, items});
    return items;
}

FoundItemsPtr FindNarrowing::unitsOf(const std::vector<std::size_t>& found) {
    // How many found items carry each name; only the names carried more than once are told apart,
    // by how many of their items carry each provider.
    std::unordered_map<std::string_view, int> byName;
    for (const std::size_t position : found) {
        if (nameShared(position)) {
            ++byName[names(position).folded.asciiLower];
        }
    }
    std::vector<int> nameCounts(found.size(), 1);
    std::map<std::pair<std::string_view, std::string_view>, int> byNameAndProvider;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const Names& n = names(found[i]);
        if (nameShared(found[i])) {
            nameCounts[i] = byName[n.folded.asciiLower];
        }
        if (nameCounts[i] > 1) {
            ++byNameAndProvider[{n.folded.asciiLower, n.provider}];
        }
    }
    // The items of each name, provider and product that the provider leaves alike, in list order.
    using NameProductKey = std::tuple<std::string_view, std::string_view, std::string_view>;
    std::map<NameProductKey, std::vector<std::size_t>> byNameAndProduct;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const Names& n = names(found[i]);
        if (nameCounts[i] > 1 && byNameAndProvider[{n.folded.asciiLower, n.provider}] > 1) {
            byNameAndProduct[{n.folded.asciiLower, n.provider, n.product}].push_back(i);
        }
    }
    // Items that provider and product do not tell apart: the ends of their blueprint paths do.
    std::vector<std::string_view> pathEnds(found.size());
    for (const auto& [key, items] : byNameAndProduct) {
        if (items.size() < 2) {
            continue;
        }
        std::vector<std::string_view> paths;
        paths.reserve(items.size());
        for (const std::size_t i : items) {
            paths.push_back(names(found[i]).blueprintPath);
        }
        const std::vector<std::string_view> ends = distinguishingPathEnds(paths);
        for (std::size_t k = 0; k < items.size(); ++k) {
            pathEnds[items[k]] = ends[k];
        }
    }
    auto items = std::make_shared<FoundItems>();
    items->units.reserve(found.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        const Names& n = names(found[i]);
        if (nameCounts[i] <= 1) {
            items->units.push_back({n.english, found[i]});
            continue;
        }
        std::string& shown = items->toldApart.emplace_back(n.english);
        shown += " (" + std::string(n.provider);
        if (byNameAndProvider[{n.folded.asciiLower, n.provider}] > 1) {
            shown += ", " + std::string(n.product);
        }
        if (!pathEnds[i].empty()) {
            shown += ", " + std::string(pathEnds[i]);
        }
        shown += ")";
        items->units.push_back({shown, found[i]});
    }
    return items;
}

} // namespace dovrel

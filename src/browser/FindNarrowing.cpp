#include "browser/FindNarrowing.h"

#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"
#include "platform/qt/TextConversion.h"

#include <algorithm>
#include <map>
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

FindNarrowing::FindNarrowing(std::span<const std::string> catalogue)
    : catalogue_(catalogue), names_(catalogue.size()) {}

void FindNarrowing::foldAllNames() {
    for (std::size_t position = 0; position < names_.size(); ++position) {
        names(position);
    }
}

const FindNarrowing::Names& FindNarrowing::names(std::size_t position) {
    std::optional<Names>& names = names_[position];
    if (!names) {
        const std::string_view line = catalogue_[position];
        const std::string_view english = recordFieldView(line, RecordField::englishName);
        names = Names{english, recordFieldView(line, RecordField::provider),
                      recordFieldView(line, RecordField::product), foldedName(english)};
    }
    return *names;
}

const std::optional<std::vector<std::size_t>>&
FindNarrowing::listed(BrowserSide side, const ListFilterTexts& texts, std::span<const CouplerBox> boxes) {
    const std::array<std::string, 3> key = {std::string(texts.provider), std::string(texts.product),
                                            std::string(texts.unitClass)};
    std::vector<std::pair<std::string, bool>> boxKey;
    boxKey.reserve(boxes.size());
    for (const CouplerBox& box : boxes) {
        boxKey.emplace_back(std::string(box.caption), box.checked);
    }
    std::optional<Listed>& kept = listed_[sideIndex(side)];
    if (!kept || kept->texts != key || kept->boxes != boxKey) {
        kept = Listed{key, std::move(boxKey), listedRecords(side, catalogue_, texts, boxes)};
    }
    return kept->positions;
}

std::optional<std::vector<FoundUnit>> FindNarrowing::foundUnits(BrowserSide side,
                                                                const ListFilterTexts& texts,
                                                                std::span<const CouplerBox> boxes,
                                                                const FindText& find) {
    const std::optional<std::vector<std::size_t>>& positions = listed(side, texts, boxes);
    if (!positions) {
        return std::nullopt;
    }
    std::vector<std::size_t> found;
    for (const std::size_t position : *positions) {
        if (find.foundIn(names(position).folded)) {
            found.push_back(position);
        }
    }
    // How many found items carry each name, and each name with its provider.
    std::unordered_map<std::string_view, int> byName;
    std::map<std::pair<std::string_view, std::string_view>, int> byNameAndProvider;
    for (const std::size_t position : found) {
        const Names& n = names(position);
        ++byName[n.folded.asciiLower];
        ++byNameAndProvider[{n.folded.asciiLower, n.provider}];
    }
    std::vector<FoundUnit> units;
    units.reserve(found.size());
    for (const std::size_t position : found) {
        const Names& n = names(position);
        std::string shown(n.english);
        if (byName[n.folded.asciiLower] > 1) {
            shown += " (" + std::string(n.provider);
            if (byNameAndProvider[{n.folded.asciiLower, n.provider}] > 1) {
                shown += ", " + std::string(n.product);
            }
            shown += ")";
        }
        units.push_back({std::move(shown), position});
    }
    return units;
}

} // namespace dovrel

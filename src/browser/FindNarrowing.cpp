#include "browser/FindNarrowing.h"

#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"
#include "platform/qt/TextConversion.h"

#include <algorithm>
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

FindText::FindText(const QString& typed) : folded_(foldedForFind(typed)) {
    const auto ascii = [](QChar c) { return c.unicode() < 0x80; };
    if (std::all_of(folded_.begin(), folded_.end(), ascii)) {
        asciiFolded_ = folded_.toStdString();
    }
}

bool FindText::foundIn(std::string_view nameBytes) const {
    const auto ascii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
    if (!std::all_of(nameBytes.begin(), nameBytes.end(), ascii)) {
        return foldedForFind(displayText(nameBytes)).contains(folded_);
    }
    // An ASCII name folds to its ASCII lower case, which holds no other letter.
    return asciiFolded_ && asciiLower(nameBytes).find(*asciiFolded_) != std::string::npos;
}

std::optional<std::vector<FoundUnit>> foundUnits(BrowserSide side, std::span<const std::string> catalogue,
                                                 const ListFilterTexts& texts,
                                                 std::span<const CouplerBox> boxes, const FindText& find) {
    const std::optional<std::vector<std::size_t>> listed = listedRecords(side, catalogue, texts, boxes);
    if (!listed) {
        return std::nullopt;
    }
    std::vector<EquipmentRecord> found;
    std::vector<std::size_t> positions;
    for (const std::size_t position : *listed) {
        EquipmentRecord record(catalogue[position]);
        if (find.foundIn(record.field(RecordField::englishName))) {
            found.push_back(std::move(record));
            positions.push_back(position);
        }
    }
    // How many found items carry each name, and each name with its provider.
    std::unordered_map<std::string, int> byName;
    std::unordered_map<std::string, int> byNameAndProvider;
    const auto nameKey = [](const EquipmentRecord& r) {
        return asciiLower(r.field(RecordField::englishName));
    };
    const auto providerKey = [&](const EquipmentRecord& r) {
        return nameKey(r) + '\0' + std::string(r.field(RecordField::provider));
    };
    for (const EquipmentRecord& record : found) {
        ++byName[nameKey(record)];
        ++byNameAndProvider[providerKey(record)];
    }
    std::vector<FoundUnit> units;
    units.reserve(found.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        const EquipmentRecord& record = found[i];
        std::string shown(record.field(RecordField::englishName));
        if (byName[nameKey(record)] > 1) {
            shown += " (" + std::string(record.field(RecordField::provider));
            if (byNameAndProvider[providerKey(record)] > 1) {
                shown += ", " + std::string(record.field(RecordField::product));
            }
            shown += ")";
        }
        units.push_back({std::move(shown), positions[i]});
    }
    return units;
}

} // namespace dovrel

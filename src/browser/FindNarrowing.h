#pragma once

#include "browser/BrowserSide.h"
#include "browser/CouplerFilter.h"
#include "browser/ListRebuild.h"

#include <QString>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace dovrel {

// A text as find-as-you-type compares it: accents dropped (canonical decomposition without its
// combining marks), Unicode case folding, and the Latin letters that do not decompose spelled in
// ASCII ("ß" as "ss", "æ" as "ae", "ø" as "o", ...).
QString foldedForFind(const QString& text);

// The typed find text, folded once; it finds the names that contain it.
class FindText {
public:
    explicit FindText(const QString& typed);
    bool empty() const { return folded_.isEmpty(); }
    // Whether a name (the bytes of the game's files, shown as the lists show them) contains the text.
    bool foundIn(std::string_view nameBytes) const;

private:
    QString folded_;
    // The folded text as bytes when it is all ASCII: plain ASCII names, folded by their lower case, are
    // searched for it without conversion.
    std::optional<std::string> asciiFolded_;
};

// An item of a narrowed list: its bytes, as shown, and the catalogue position of its record.
struct FoundUnit {
    std::string shown;
    std::size_t record = 0;
    bool operator==(const FoundUnit&) const = default;
};

// The items of the loco or wagon list narrowed by a find text: listedNames' records whose name
// contains the text, in the same order. A name that more than one of the narrowed items carries
// (compared as the add command compares, ASCII case ignored) is shown with its provider after it,
// "Name (Provider)", or with provider and product when those match as well, so the user can tell them
// apart. Empty optional when listedNames leaves the list as it is.
std::optional<std::vector<FoundUnit>> foundUnits(BrowserSide side, std::span<const std::string> catalogue,
                                                 const ListFilterTexts& texts,
                                                 std::span<const CouplerBox> boxes, const FindText& find);

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/BrowserSide.h"
#include "browser/CouplerFilter.h"
#include "browser/ListFilter.h"

#include <QString>
#include <array>
#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace dovrel {

// A text as find-as-you-type compares it: accents dropped (canonical decomposition without its
// combining marks), Unicode case folding, and the Latin letters that do not decompose spelled in
// ASCII ("ß" as "ss", "æ" as "ae", "ø" as "o", ...).
QString foldedForFind(const QString& text);

// A name as find compares it, folded once: its ASCII lower case (also the key that tells duplicate
// names apart), and for a name that is not plain ASCII the full folding.
struct FoldedName {
    bool ascii = true;
    std::string asciiLower;
    QString folded; // when not ascii
};
FoldedName foldedName(std::string_view nameBytes);

// The typed find text, folded once; it finds the names that contain it.
class FindText {
public:
    explicit FindText(const QString& typed);
    bool empty() const { return folded_.isEmpty(); }
    // Whether every name this text is found in holds the other text too: this text contains it.
    bool narrows(const FindText& other) const { return folded_.contains(other.folded_); }
    bool operator==(const FindText& other) const { return folded_ == other.folded_; }
    // Whether a name (the bytes of the game's files, shown as the lists show them) contains the text.
    bool foundIn(std::string_view nameBytes) const { return foundIn(foldedName(nameBytes)); }
    bool foundIn(const FoldedName& name) const;

private:
    QString folded_;
    // The folded text as bytes when it is all ASCII: plain ASCII names, folded by their lower case, are
    // searched for it without conversion.
    std::optional<std::string> asciiFolded_;
};

// For the blueprint paths of records that share a name, a provider and a product: each path's shortest
// end in whole parts between "\" ("a.xml", then "Twin\a.xml", then "Tram\Twin\a.xml") that differs,
// ASCII case ignored, from the end of as many parts of every other path; the whole path when none does.
std::vector<std::string_view> distinguishingPathEnds(std::span<const std::string_view> paths);

// An item of a narrowed list: its bytes, as shown, and the catalogue position of its record. The
// bytes are the record's name in the catalogue, or a text the list of found items owns.
struct FoundUnit {
    std::string_view shown;
    std::size_t record = 0;
    bool operator==(const FoundUnit&) const = default;
};

// The items of a narrowed list, with the texts of the items told apart, which they point into. It is
// shared, never changed, and outlives neither the catalogue nor its narrowing's catalogue.
struct FoundItems {
    std::vector<FoundUnit> units;
    std::deque<std::string> toldApart;
};
using FoundItemsPtr = std::shared_ptr<const FoundItems>;

// Find as you type over one catalogue. What does not change while the user types is kept between
// keystrokes: every record's name folded, the records each list's filters let through (made again
// only when the filter texts or the coupler boxes change), and the items found for the texts typed on
// the way to the current one, so that a key taken back finds its items again without a search. The
// catalogue must outlive it and stay as it was.
class FindNarrowing {
public:
    explicit FindNarrowing(std::span<const std::string> catalogue);

    // Folds every record's name now, and finds the names that more than one record carries, so that
    // the first key typed does not wait for it.
    void foldAllNames();

    // The catalogue positions of the records a list's filters let through, in catalogue order, as
    // listedRecords makes them; empty optional when the filters leave the list as it is.
    const std::optional<std::vector<std::size_t>>&
    listedPositions(BrowserSide side, const ListFilterTexts& texts, std::span<const CouplerBox> boxes);

    // The items of the loco or wagon list narrowed by a find text: the records the list's filters let
    // through whose name contains the text, in the same order. A name that more than one of the narrowed
    // items carries (compared as the add command compares, ASCII case ignored) is shown with its provider
    // after it, "Name (Provider)", or with provider and product when those match as well, and then with
    // the shortest end of its blueprint path that tells it apart, "Name (Provider, Product, a.xml)",
    // when provider and product match too. Null when the filters leave the list as it is. A text that
    // finds the same records as the text it grew from gives the same items back.
    FoundItemsPtr foundUnits(BrowserSide side, const ListFilterTexts& texts,
                             std::span<const CouplerBox> boxes, const FindText& find);

private:
    struct Names {
        std::string_view english;
        std::string_view provider;
        std::string_view product;
        std::string_view blueprintPath;
        FoldedName folded;
    };
    // A text typed and the items it found.
    struct Typed {
        FindText find;
        FoundItemsPtr items;
    };
    struct Listed {
        std::array<std::string, 3> texts;
        std::vector<std::pair<std::string, bool>> boxes;
        std::optional<std::vector<std::size_t>> positions;
        // The texts typed with these filters, each holding the one before it; the newest last.
        std::vector<Typed> typed;
    };
    const Names& names(std::size_t position);
    // Whether the record's name (ASCII case ignored) is carried by another record of the catalogue
    // too; a name no other record carries needs no telling apart, whatever the find text.
    bool nameShared(std::size_t position);
    Listed& listed(BrowserSide side, const ListFilterTexts& texts, std::span<const CouplerBox> boxes);
    // The items of the found records, each name told apart from the other found items' names.
    FoundItemsPtr unitsOf(const std::vector<std::size_t>& found);

    std::span<const std::string> catalogue_;
    std::vector<std::optional<Names>> names_; // made at the first name asked for
    std::vector<bool> nameShared_;            // per record, once every name is folded
    std::array<std::optional<Listed>, 2> listed_;
};

} // namespace dovrel

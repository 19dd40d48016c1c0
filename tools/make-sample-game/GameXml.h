// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Random.h"
#include "Stock.h"
#include "UniqueTexts.h"
#include "XmlBuilder.h"

#include <string>

namespace dovrel::sample {

// Element groups that occur in every kind of game file.

// A text in the game's languages; an empty text is written as an empty string.
struct Localised {
    std::string english;
    std::string french;
    std::string italian;
    std::string german;
    std::string spanish;
    std::string dutch;
    std::string polish;
    std::string russian;
};

// The same text in every language.
Localised everywhere(const std::string& text);

// <Localisation-cUserLocalisedString> with one string per language, <Other/> and the key.
void writeLocalised(XmlBuilder& x, const Localised& text, const std::string& key);

// <iBlueprintLibrary-cAbsoluteBlueprintID>: the set, then the path.
void writeAbsoluteId(XmlBuilder& x, const BlueprintRef& ref);

// <cGUID> with its two halves and its text form.
void writeGuid(XmlBuilder& x, Random& random);
// The same with its text form from `texts`.
void writeGuid(XmlBuilder& x, Random& random, UniqueTexts& texts);

} // namespace dovrel::sample

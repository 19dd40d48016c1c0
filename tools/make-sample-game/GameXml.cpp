// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameXml.h"

namespace dovrel::sample {

Localised everywhere(const std::string& text) {
    return Localised{text, text, text, text, text, text, text, text};
}

void writeLocalised(XmlBuilder& x, const Localised& text, const std::string& key) {
    x.open("Localisation-cUserLocalisedString");
    x.text("English", text.english);
    x.text("French", text.french);
    x.text("Italian", text.italian);
    x.text("German", text.german);
    x.text("Spanish", text.spanish);
    x.text("Dutch", text.dutch);
    x.text("Polish", text.polish);
    x.text("Russian", text.russian);
    x.empty("Other");
    x.text("Key", key);
    x.close();
}

void writeAbsoluteId(XmlBuilder& x, const BlueprintRef& ref) {
    x.open("iBlueprintLibrary-cAbsoluteBlueprintID");
    x.open("BlueprintSetID");
    x.open("iBlueprintLibrary-cBlueprintSetID");
    x.text("Provider", ref.set.provider);
    x.text("Product", ref.set.product);
    x.close();
    x.close();
    x.text("BlueprintID", ref.id);
    x.close();
}

void writeGuid(XmlBuilder& x, Random& random) {
    UniqueTexts fresh = UniqueTexts::fresh();
    writeGuid(x, random, fresh);
}

void writeGuid(XmlBuilder& x, Random& random, UniqueTexts& texts) {
    x.open("cGUID");
    x.open("UUID");
    x.uint64("e", random.next());
    x.uint64("e", random.next());
    x.close();
    x.text("DevString", texts.guid(random));
    x.close();
}

} // namespace dovrel::sample

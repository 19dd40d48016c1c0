// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace serz::xml {

// Appends text with the five characters XML reserves escaped as entities and control characters (below
// U+0020, CR, LF and TAB included) as decimal character references ("&#13;").
void appendEscaped(std::string& out, std::string_view text);

// Appends a stored element name as written in XML: "::" becomes "-", an empty name "e".
// Returns false, appending nothing, for a name that cannot stand in a tag (white space,
// control characters, or one of < > & " ' / =), for "d:nil" and "d:blob", which would be read
// back as a nil and a blob, and for a name starting with "!" or "?", which would be read as markup.
bool appendElementName(std::string& out, std::string_view name);

// The stored name of an element name read from XML, in place of what `name` held (its storage
// kept): every "-" becomes "::".
void storeName(std::string& name, std::string_view xmlName);

} // namespace serz::xml

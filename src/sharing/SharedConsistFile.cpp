// SPDX-License-Identifier: GPL-3.0-or-later
#include "sharing/SharedConsistFile.h"

#include "catalogue/EquipmentRecord.h"
#include "core/ByteFile.h"
#include "core/TextRules.h"
#include "sharing/BoundedJson.h"

#include <cmath>
#include <system_error>

namespace dovrel {

namespace {

bool holdsControlCharacter(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return true;
        }
    }
    return false;
}

// Thrown inside the reader only, caught by readSharedConsist.
struct Refused {
    std::string reason;
};

// A text member: required ones must be there; every one is a string of printable characters.
std::string textMember(const JsonValue& object, std::string_view member, std::string_view where,
                       bool required) {
    const JsonValue* value = object.member(member);
    if (value == nullptr) {
        if (required) {
            throw Refused{std::string(where) + " has no \"" + std::string(member) + "\""};
        }
        return {};
    }
    const std::string* text = value->text();
    if (text == nullptr) {
        throw Refused{std::string(where) + ": \"" + std::string(member) + "\" is not a text"};
    }
    if (holdsControlCharacter(*text)) {
        throw Refused{std::string(where) + ": \"" + std::string(member) + "\" holds a control character"};
    }
    if (text->size() > kSharedTextMaxBytes) {
        throw Refused{std::string(where) + ": \"" + std::string(member) + "\" is too long"};
    }
    return *text;
}

SharedUnit unitOf(const JsonValue& entry, std::size_t index) {
    const std::string where = "unit " + std::to_string(index + 1);
    if (entry.object() == nullptr) {
        throw Refused{where + " is not an object"};
    }
    SharedUnit unit;
    unit.provider = textMember(entry, "provider", where, true);
    unit.product = textMember(entry, "product", where, true);
    unit.blueprint = textMember(entry, "blueprint", where, true);
    if (unit.blueprint.empty()) {
        throw Refused{where + " has an empty \"blueprint\""};
    }
    unit.name = textMember(entry, "name", where, false);
    const std::string heading = textMember(entry, "heading", where, false);
    if (heading != "forward" && heading != "reversed" && !heading.empty()) {
        throw Refused{where + ": \"heading\" is neither \"forward\" nor \"reversed\""};
    }
    unit.reversed = heading == "reversed";
    unit.unitClass = textMember(entry, "class", where, false);
    unit.frontCoupler = textMember(entry, "frontCoupler", where, false);
    unit.rearCoupler = textMember(entry, "rearCoupler", where, false);
    return unit;
}

SharedConsist consistOf(const JsonValue& document) {
    if (document.object() == nullptr) {
        throw Refused{"the file holds no consist object"};
    }
    const JsonValue* format = document.member("format");
    if (format == nullptr || format->text() == nullptr || *format->text() != kSharedConsistFormat) {
        throw Refused{"the file is not a consist file (its \"format\" is not \"" +
                      std::string(kSharedConsistFormat) + "\")"};
    }
    const JsonValue* version = document.member("version");
    const double* number = version != nullptr ? version->number() : nullptr;
    if (number == nullptr || *number < 1 || *number > 1e6 || std::floor(*number) != *number) {
        throw Refused{"the file has no valid \"version\" (a whole number from 1)"};
    }
    SharedConsist consist;
    consist.name = textMember(document, "name", "the consist", true);
    const JsonValue* units = document.member("units");
    if (units == nullptr || units->array() == nullptr) {
        throw Refused{"the file has no list of \"units\""};
    }
    if (units->array()->empty()) {
        throw Refused{"the consist has no units"};
    }
    if (units->array()->size() > kConsistLineSlots) {
        throw Refused{"the consist has more than " + std::to_string(kConsistLineSlots) + " units"};
    }
    for (std::size_t i = 0; i < units->array()->size(); ++i) {
        consist.units.push_back(unitOf((*units->array())[i], i));
    }
    return consist;
}

void appendMember(std::string& out, std::string_view name, std::string_view value, bool last = false) {
    out.append(jsonQuoted(name)).append(": ").append(jsonQuoted(utf8OrLatin1(value)));
    out.append(last ? "" : ", ");
}

} // namespace

SharedConsist sharedConsistOf(std::string_view name, const std::vector<std::string>& units) {
    SharedConsist consist{std::string(name), {}};
    for (const std::string& unit : units) {
        const std::size_t flag = unit.rfind('|');
        const std::string_view record = std::string_view(unit).substr(0, flag);
        consist.units.push_back({std::string(recordFieldView(record, RecordField::provider)),
                                 std::string(recordFieldView(record, RecordField::product)),
                                 std::string(recordFieldView(record, RecordField::blueprintPath)),
                                 std::string(recordFieldView(record, RecordField::englishName)),
                                 flag != std::string::npos && unit.substr(flag + 1) == "1",
                                 std::string(recordFieldView(record, RecordField::unitClass)),
                                 std::string(recordFieldView(record, RecordField::frontCoupler)),
                                 std::string(recordFieldView(record, RecordField::rearCoupler))});
    }
    return consist;
}

std::string sharedConsistText(const SharedConsist& consist) {
    std::string out = "{\n  ";
    appendMember(out, "format", kSharedConsistFormat);
    out.append("\"version\": ").append(std::to_string(kSharedConsistVersion)).append(",\n  ");
    appendMember(out, "name", consist.name, true);
    out.append(",\n  \"units\": [");
    for (std::size_t i = 0; i < consist.units.size(); ++i) {
        const SharedUnit& unit = consist.units[i];
        out.append(i == 0 ? "\n    {" : ",\n    {");
        appendMember(out, "provider", unit.provider);
        appendMember(out, "product", unit.product);
        appendMember(out, "blueprint", unit.blueprint);
        appendMember(out, "name", unit.name);
        appendMember(out, "heading", unit.reversed ? "reversed" : "forward");
        appendMember(out, "class", unit.unitClass);
        appendMember(out, "frontCoupler", unit.frontCoupler);
        appendMember(out, "rearCoupler", unit.rearCoupler, true);
        out.append("}");
    }
    out.append("\n  ]\n}\n");
    return out;
}

SharedConsistRead readSharedConsist(std::string_view text) {
    if (text.size() > kSharedConsistMaxBytes) {
        return {std::nullopt, "the file is larger than " + std::to_string(kSharedConsistMaxBytes) + " bytes"};
    }
    const JsonParse parsed = parseBoundedJson(text);
    if (!parsed.value) {
        return {std::nullopt, "the file is not valid JSON: " + parsed.error};
    }
    try {
        return {consistOf(*parsed.value), {}};
    } catch (const Refused& refused) {
        return {std::nullopt, refused.reason};
    }
}

SharedConsistRead readSharedConsistFile(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return {std::nullopt, "there is no such file"};
    }
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error && size > kSharedConsistMaxBytes) {
        return {std::nullopt, "the file is larger than " + std::to_string(kSharedConsistMaxBytes) + " bytes"};
    }
    const std::optional<std::string> bytes = readWholeFile(file);
    if (!bytes) {
        return {std::nullopt, "the file cannot be read"};
    }
    return readSharedConsist(*bytes);
}

} // namespace dovrel

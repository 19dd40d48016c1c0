// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/FloatText.h"
#include "serz/Record.h"
#include "serz/ValueText.h"

#include <bit>
#include <cmath>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace serz::testing {

inline std::vector<std::string> split(std::string_view list) {
    std::vector<std::string> parts;
    for (std::size_t start = 0, end = 0; end != std::string_view::npos; start = end + 1) {
        end = list.find('|', start);
        parts.emplace_back(list.substr(start, end - start));
    }
    return parts;
}

// Random documents whose every record survives both forms.
class DocumentGenerator {
public:
    explicit DocumentGenerator(std::uint32_t seed) : random_(seed) {}

    Document generate() {
        Document document;
        addElement(document, 0);
        return document;
    }

private:
    // Names that survive the XML form: no real dash, not empty.
    const std::vector<std::string> names_ = {"cRecordSet", "Network::cTrackFollower", "a",      "_type",
                                             "Name42",     "\xC3\xA9l\xC3\xA9ment",   "x::y::z"};
    std::string pickName() { return names_[below(static_cast<int>(names_.size()))]; }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    std::uint32_t anyU32() { return static_cast<std::uint32_t>(random_()); }

    void addElement(Document& document, int depth) {
        const std::string name = pickName();
        document.push_back(Record::open(name, below(2) == 0 ? 0 : anyU32()));
        addChildren(document, depth);
        document.push_back(Record::close(name));
    }

    void addChildren(Document& document, int depth) {
        const int count = below(depth == 0 ? 12 : 6);
        for (int i = 0; i < count; ++i) {
            const int kind = below(10);
            if (kind == 0 && depth < 5) {
                addElement(document, depth + 1);
            } else if (kind == 1) {
                document.push_back(Record::reference(pickName(), anyU32()));
            } else if (kind == 2) {
                document.push_back(Record::nil());
            } else if (kind == 3) {
                document.push_back(Record::string(pickName(), randomText()));
            } else if (kind == 4) {
                document.push_back(randomArray());
            } else if (kind == 5 && below(4) == 0) {
                document.push_back(Record::blob(std::string(below(20), static_cast<char>(below(256)))));
            } else {
                const ValueType type = numberType();
                document.push_back(Record::scalar(pickName(), type, bitsFor(type)));
            }
        }
    }

    ValueType numberType() { return static_cast<ValueType>(below(static_cast<int>(ValueType::String))); }

    // Floats of six significant digits and a modest exponent print exactly in either width.
    std::uint64_t bitsFor(ValueType type) {
        if (type == ValueType::Bool) {
            return static_cast<std::uint64_t>(below(2));
        }
        if (isFloat(type)) {
            std::string text;
            appendGeneralFloat(text,
                               (below(999'999) + 1) * std::pow(10.0, below(40) - 25) * (below(2) * 2 - 1));
            return *parseValueText(type, text);
        }
        const std::uint64_t bits = (std::uint64_t{anyU32()} << 32) | anyU32();
        return byteWidth(type) == 8 ? bits : bits & ((std::uint64_t{1} << (8 * byteWidth(type))) - 1);
    }

    Record randomArray() {
        const ValueType type = numberType();
        const int count = below(8) == 0 ? 255 : below(12);
        std::vector<std::uint64_t> elements;
        for (int i = 0; i < count; ++i) {
            if (isFloat(type)) {
                // Multiples of 1/128 below 2^17 are exact in both widths and in seven decimals.
                const double value =
                    static_cast<double>(static_cast<int>(random_() % (1 << 24)) - (1 << 23)) / 128;
                elements.push_back(type == ValueType::Float32
                                       ? std::bit_cast<std::uint32_t>(static_cast<float>(value))
                                       : std::bit_cast<std::uint64_t>(value));
            } else {
                elements.push_back(bitsFor(type));
            }
        }
        return Record::array(pickName(), type, std::move(elements));
    }

    std::string randomText() {
        static const std::vector<std::string> pieces =
            split("a| "
                  "|&|<|>|\"|'|\r|\n|\t|\x01|\x1F|\x7F|]]>|\xC3\xA9|\xE6\x97\xA5|\xF0\x9F\x98\x80|"
                  "\xEF\xBE\x80|\xEF\xBF\xBF|\xF4\x8F\xBF\xBF");
        std::string text;
        for (int n = below(10); n > 0; --n) {
            text += pieces[below(static_cast<int>(pieces.size()))];
        }
        return text;
    }

    std::mt19937 random_;
};

} // namespace serz::testing

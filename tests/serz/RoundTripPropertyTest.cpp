// Round trips over random documents: any document whose floats print exactly survives
// records -> XML -> records, records -> bin -> records, and each form converts to the other
// and back byte for byte.

#include "serz/BinReader.h"
#include "serz/BinWriter.h"
#include "serz/Conversion.h"
#include "serz/FloatText.h"
#include "serz/ValueText.h"
#include "serz/XmlReader.h"
#include "serz/XmlWriter.h"

#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace serz {
namespace {

std::vector<std::string> split(std::string_view list) {
    std::vector<std::string> parts;
    for (std::size_t start = 0, end = 0; end != std::string_view::npos; start = end + 1) {
        end = list.find('|', start);
        parts.emplace_back(list.substr(start, end - start));
    }
    return parts;
}

class DocumentGenerator {
public:
    explicit DocumentGenerator(std::uint32_t seed) : random_(seed) {}

    Document generate() {
        Document document;
        const std::string root = pickName();
        document.push_back(Record::open(root, anyU32()));
        addChildren(document, 0);
        document.push_back(Record::close(root));
        return document;
    }

private:
    // Names that survive the XML form: no real dash, not empty.
    const std::vector<std::string> names_ =
        split("cRecordSet|cBlueprintLoader|Blueprint|Network::cTrackFollower|"
              "Localisation::cUserLocalisedString|a|_type|e|Name42|"
              "\xC3\xA9l\xC3\xA9ment|x::y::z");

    std::string pickName() {
        return names_[std::uniform_int_distribution<std::size_t>(0, names_.size() - 1)(random_)];
    }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    std::uint32_t anyU32() { return static_cast<std::uint32_t>(random_()); }
    std::uint64_t anyU64() { return (std::uint64_t{anyU32()} << 32) | anyU32(); }

    void addChildren(Document& document, int depth) {
        const int count = below(depth == 0 ? 12 : 6);
        for (int i = 0; i < count; ++i) {
            const int kind = below(10);
            if (kind == 0 && depth < 5) {
                const std::string name = pickName();
                document.push_back(Record::open(name, below(2) == 0 ? 0 : anyU32()));
                addChildren(document, depth + 1);
                document.push_back(Record::close(name));
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
                document.push_back(randomScalar());
            }
        }
    }

    ValueType numberType() { return static_cast<ValueType>(below(static_cast<int>(ValueType::String))); }

    std::uint64_t bitsFor(ValueType type) {
        switch (type) {
        case ValueType::Bool:
            return static_cast<std::uint64_t>(below(2));
        case ValueType::Float32:
        case ValueType::Float64:
            return printable(type);
        default: {
            const std::size_t width = byteWidth(type);
            const std::uint64_t bits = anyU64();
            return width == 8 ? bits : bits & ((std::uint64_t{1} << (8 * width)) - 1);
        }
        }
    }

    Record randomScalar() {
        const ValueType type = numberType();
        return Record::scalar(pickName(), type, bitsFor(type));
    }

    // Six significant digits and a modest exponent print exactly in either width.
    std::uint64_t printable(ValueType type) {
        const double mantissa = below(999'999) + 1;
        const double value = mantissa * std::pow(10.0, below(40) - 25) * (below(2) == 0 ? 1 : -1);
        std::string text;
        appendGeneralFloat(text, value);
        return *parseValueText(type, text);
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
        static const std::vector<std::string> pieces = split(
            "a|Z| |&|<|>|\"|'|\r|\n|\t|\x01|\x1F|9|-|::|\xC3\xA9|\xC5\xA0|\xE6\x97\xA5|\xF0\x9F\x98\x80|"
            "\xEF\xBE\x80|\xEF\xBF\xBF|\xF4\x8F\xBF\xBF|\x7F|]]>");
        std::string text;
        for (int n = below(10); n > 0; --n) {
            text += pieces[below(static_cast<int>(pieces.size()))];
        }
        return text;
    }

    std::mt19937 random_;
};

TEST(RoundTripProperty, RandomDocumentsSurviveBothForms) {
    DocumentGenerator generator(20240601);
    for (int i = 0; i < 1000; ++i) {
        SCOPED_TRACE("document " + std::to_string(i));
        const Document document = generator.generate();

        const auto xml = writeXml(document);
        ASSERT_TRUE(xml.ok()) << xml.error().message;
        const auto fromXml = readXml(xml.value());
        ASSERT_TRUE(fromXml.ok()) << fromXml.error().message << " at line " << fromXml.error().position;
        ASSERT_EQ(fromXml.value(), document);

        const auto bin = writeBin(document);
        ASSERT_TRUE(bin.ok()) << bin.error().message;
        const auto fromBin = readBin(bin.value());
        ASSERT_TRUE(fromBin.ok()) << fromBin.error().message << " at byte " << fromBin.error().position;
        ASSERT_EQ(fromBin.value(), document);

        const auto binToXml = convert(Direction::BinToXml, bin.value());
        ASSERT_TRUE(binToXml.ok());
        EXPECT_EQ(binToXml.value(), xml.value());
        const auto xmlToBin = convert(Direction::XmlToBin, xml.value());
        ASSERT_TRUE(xmlToBin.ok());
        EXPECT_EQ(xmlToBin.value(), bin.value());
    }
}

} // namespace
} // namespace serz

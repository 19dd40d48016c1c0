// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace dovrel {

// The bundled codec converting a file in the binary form that arrives piece by piece: the XML goes
// to takeLines as it is written, in chunks of whole lines each ended by CR LF, and neither the file
// nor its XML is ever held whole. The chunks join to exactly what binaryToXml returns for the whole
// file, and a failure is the one it reports.
class BinaryToXmlStream {
public:
    explicit BinaryToXmlStream(std::function<void(std::string_view lines)> takeLines);
    ~BinaryToXmlStream();
    BinaryToXmlStream(const BinaryToXmlStream&) = delete;
    BinaryToXmlStream& operator=(const BinaryToXmlStream&) = delete;

    // Converts the next piece of the file. False once the file is known not to convert; the rest of
    // it need not be fed.
    bool feed(std::string_view piece);
    // The file ends here: true when it converted. Otherwise `failure`, when given, says where and
    // why, as the serz program would after the file's name ("byte offset 8: there is no root element").
    bool finish(std::string* failure = nullptr);

private:
    class Conversion;
    std::unique_ptr<Conversion> conversion_;
};

} // namespace dovrel

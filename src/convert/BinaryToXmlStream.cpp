// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/BinaryToXmlStream.h"

#include "serz/ChunkSink.h"
#include "serz/StreamConversion.h"

namespace dovrel {

class BinaryToXmlStream::Conversion {
public:
    explicit Conversion(std::function<void(std::string_view)> takeLines)
        : sink_([take = std::move(takeLines)](std::string_view lines) {
              take(lines);
              return true;
          }),
          stream_(serz::Direction::BinToXml, sink_) {}

    serz::StreamConversion& stream() { return stream_; }

private:
    serz::ChunkSink sink_;
    serz::StreamConversion stream_;
};

BinaryToXmlStream::BinaryToXmlStream(std::function<void(std::string_view lines)> takeLines)
    : conversion_(std::make_unique<Conversion>(std::move(takeLines))) {}

BinaryToXmlStream::~BinaryToXmlStream() = default;

bool BinaryToXmlStream::feed(std::string_view piece) {
    return conversion_->stream().feed(piece);
}

bool BinaryToXmlStream::finish(std::string* failure) {
    serz::StreamConversion& stream = conversion_->stream();
    const serz::StreamOutcome outcome = stream.finish();
    if (outcome == serz::StreamOutcome::Converted) {
        return true;
    }
    if (failure != nullptr) {
        // The sink takes every chunk, so only the input can be at fault.
        if (outcome == serz::StreamOutcome::InputRefused) {
            const serz::Error& error = stream.error();
            *failure =
                serz::describePosition(serz::Direction::BinToXml, error.position) + ": " + error.message;
        } else {
            *failure = "the output was refused";
        }
    }
    return false;
}

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "serz/StreamConversion.h"

#include "BinDecoder.h"
#include "BinEncoder.h"
#include "XmlDecoder.h"
#include "XmlEncoder.h"

#include <optional>

namespace serz {

// A reader feeding a writer. Once the writer has stopped, the reader still reads on: a fault of the
// input found later wins over the writer's.
class StreamConversion::Pipeline : public RecordSink {
public:
    Pipeline(Direction direction, OutputSink& output) {
        if (direction == Direction::BinToXml) {
            xmlOut_.emplace(output);
            binIn_.emplace(*this);
        } else {
            binOut_.emplace(output);
            xmlIn_.emplace(*this);
        }
    }

    void put(const RecordView& record) override {
        if (!writerStopped_) {
            writerStopped_ = !(xmlOut_ ? xmlOut_->put(record) : binOut_->put(record));
        }
    }

    bool feed(std::string_view piece) { return binIn_ ? binIn_->feed(piece) : xmlIn_->feed(piece); }

    StreamOutcome finish() {
        if (!(binIn_ ? binIn_->finish() : xmlIn_->finish())) {
            error_ = binIn_ ? binIn_->error() : xmlIn_->error();
            return StreamOutcome::InputRefused;
        }
        if (!writerStopped_) {
            writerStopped_ = !(xmlOut_ ? xmlOut_->finish() : binOut_->finish());
        }
        if (!writerStopped_) {
            return StreamOutcome::Converted;
        }
        if (xmlOut_ ? xmlOut_->outputFailed() : binOut_->outputFailed()) {
            return StreamOutcome::OutputRefused;
        }
        error_ = xmlOut_ ? xmlOut_->error() : binOut_->error();
        return StreamOutcome::InputRefused;
    }

    const Error& error() const { return error_; }

private:
    std::optional<XmlEncoder> xmlOut_;
    std::optional<BinEncoder> binOut_;
    std::optional<BinDecoder> binIn_;
    std::optional<XmlDecoder> xmlIn_;
    bool writerStopped_ = false;
    Error error_;
};

StreamConversion::StreamConversion(Direction direction, OutputSink& output)
    : pipeline_(std::make_unique<Pipeline>(direction, output)) {}

StreamConversion::~StreamConversion() = default;

bool StreamConversion::feed(std::string_view piece) {
    return pipeline_->feed(piece);
}

StreamOutcome StreamConversion::finish() {
    return pipeline_->finish();
}

const Error& StreamConversion::error() const {
    return pipeline_->error();
}

} // namespace serz

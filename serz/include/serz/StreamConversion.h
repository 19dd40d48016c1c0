// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/Conversion.h"
#include "serz/OutputSink.h"
#include "serz/Result.h"

#include <memory>
#include <string_view>

namespace serz {

// How a streamed conversion ended.
enum class StreamOutcome {
    Converted,     // the whole output went to the sink
    InputRefused,  // the input cannot be converted: error() says why and where
    OutputRefused, // the sink refused the output (and the input has no fault)
};

// A conversion of a file fed piece by piece, its output handed to a sink piece by piece. Memory
// stays bounded whatever the size of the file: the binary form's string table and record cache,
// the open elements, and the pieces at hand. The output is byte for byte what convert() returns
// for the whole input, and a failure is the one convert() reports; as there, a fault found in the
// input wins over one found in writing, and in XML input invalid UTF-8 wins over any other fault.
// After a failure the sink may hold part of the output.
class StreamConversion {
public:
    StreamConversion(Direction direction, OutputSink& output);
    ~StreamConversion();
    StreamConversion(const StreamConversion&) = delete;
    StreamConversion& operator=(const StreamConversion&) = delete;

    // Converts the next piece of the input. False once the conversion is known to fail; the rest
    // of the input need not be fed.
    bool feed(std::string_view piece);

    // The input ends here.
    StreamOutcome finish();

    // What failed and where, after finish() returned InputRefused.
    const Error& error() const;

private:
    class Pipeline;
    std::unique_ptr<Pipeline> pipeline_;
};

} // namespace serz

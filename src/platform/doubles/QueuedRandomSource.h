// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/RandomSource.h"

#include <deque>

namespace dovrel {

// Returns queued numbers in order, then 0.
class QueuedRandomSource final : public RandomSource {
public:
    void queue(double value) { values_.push_back(value); }
    double next() override {
        if (values_.empty()) {
            return 0.0;
        }
        const double value = values_.front();
        values_.pop_front();
        return value;
    }

private:
    std::deque<double> values_;
};

} // namespace dovrel

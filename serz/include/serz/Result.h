// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <variant>

namespace serz {

// What went wrong and where. `position` is a byte offset when the input was a .bin file and a
// 1-based line number when it was XML.
struct Error {
    std::string message;
    std::size_t position = 0;
};

// A value or the error that prevented it. The codec reports every failure this way; nothing
// is thrown across its public functions.
template <class T> class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return *std::get_if<0>(&state_); }
    T& value() & { return *std::get_if<0>(&state_); }
    T&& value() && { return std::move(*std::get_if<0>(&state_)); }
    const Error& error() const { return *std::get_if<1>(&state_); }

private:
    std::variant<T, Error> state_;
};

} // namespace serz

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace dovrel {

// The bundled converter's codec, run inside the editor instead of as a child process. It writes
// exactly what the serz program writes and fails where it fails.

// The pieces in which a file in the binary form is fed to the streaming conversion.
inline constexpr std::size_t kBinaryPieceBytes = std::size_t{1} << 20;

// The XML of a file in the binary form; empty optional when the bytes are not a valid file. Then
// `failure`, when given, says where and why, as the serz program would after the file's name
// ("byte offset 8: there is no root element").
std::optional<std::string> binaryToXml(std::string_view binary, std::string* failure = nullptr);

// Converts a file in the binary form to XML piece by piece: the XML goes to takeLines as it is
// written, in chunks of whole lines each ended by CR LF, and is never held whole. The chunks join
// to exactly what binaryToXml returns. False when the bytes are not a valid file (the chunks handed
// so far are then only the XML's head); `failure`, when given, says where and why as binaryToXml does.
bool streamBinaryToXml(std::string_view binary, const std::function<void(std::string_view lines)>& takeLines,
                       std::string* failure = nullptr);

// The root element's line of converter XML: the first line that is neither empty nor the
// declaration or a comment; empty when there is none.
std::string_view rootLineOf(std::string_view xml);

// What the serz program does with one file argument, in this process: the output beside the input
// (PATH.bin <-> PATH.xml), written whole or not at all. The exit status the program would give (0
// or 1); on failure `failure` holds the one line it would print.
int convertFileInProcess(const std::filesystem::path& input, std::string& failure);

} // namespace dovrel

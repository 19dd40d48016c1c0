// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <filesystem>

namespace dovrel {

// Native paths to and from Qt's strings, the way Qt names files on this system.
QString pathToQString(const std::filesystem::path& path);
std::filesystem::path pathFromQString(const QString& text);

} // namespace dovrel

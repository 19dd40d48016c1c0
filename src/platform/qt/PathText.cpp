// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/PathText.h"

#include <QFile>

namespace dovrel {

QString pathToQString(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

std::filesystem::path pathFromQString(const QString& text) {
    return std::filesystem::path(QFile::encodeName(text).toStdString());
}

} // namespace dovrel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtSettingsStore.h"

#include "core/TextRules.h"
#include "platform/qt/PathText.h"

#include <QSettings>

namespace dovrel {

namespace {
QString preferencesKey(std::string_view key) {
    return QStringLiteral("Preferences/") + QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

// The native format is the INI format on this platform, so a named file reads the same way.
QSettings openSettings(const std::optional<std::filesystem::path>& file) {
    if (file) {
        return QSettings(pathToQString(*file), QSettings::IniFormat);
    }
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("DovrelConsistEditor"),
                     QStringLiteral("DovrelConsistEditor"));
}
} // namespace

std::optional<std::string> QtSettingsStore::value(std::string_view key) const {
    const QSettings settings = openSettings(file_);
    const QVariant stored = settings.value(preferencesKey(key));
    if (!stored.isValid()) {
        return std::nullopt;
    }
    if (stored.typeId() == QMetaType::QByteArray) {
        return stored.toByteArray().toStdString();
    }
    return stored.toString().toStdString();
}

void QtSettingsStore::setValue(std::string_view key, std::string_view value) {
    QSettings settings = openSettings(file_);
    // Text is stored as text; bytes that are not UTF-8 (a folder name in another encoding) are
    // stored as bytes, so they read back exactly as they were.
    if (isValidUtf8(value)) {
        settings.setValue(preferencesKey(key),
                          QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
    } else {
        settings.setValue(preferencesKey(key),
                          QByteArray(value.data(), static_cast<qsizetype>(value.size())));
    }
    settings.sync();
}

} // namespace dovrel

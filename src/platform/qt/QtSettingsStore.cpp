#include "platform/qt/QtSettingsStore.h"

#include <QSettings>

namespace dovrel {

namespace {
QString preferencesKey(std::string_view key) {
    return QStringLiteral("Preferences/") + QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

QSettings openSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("DovrelConsistEditor"),
                     QStringLiteral("DovrelConsistEditor"));
}
} // namespace

std::optional<std::string> QtSettingsStore::value(std::string_view key) const {
    const QSettings settings = openSettings();
    const QVariant stored = settings.value(preferencesKey(key));
    if (!stored.isValid()) {
        return std::nullopt;
    }
    return stored.toString().toStdString();
}

void QtSettingsStore::setValue(std::string_view key, std::string_view value) {
    QSettings settings = openSettings();
    settings.setValue(preferencesKey(key),
                      QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
    settings.sync();
}

} // namespace dovrel

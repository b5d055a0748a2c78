#include "Settings.h"

#include "Module1.h"
#include "platform/Platform.h"

#include <QSettings>

#include <cmath>
#include <optional>

namespace {

const QString kSection = QStringLiteral("Options");

QSettings openStore()
{
    const platform::SettingsLocation location = platform::settingsLocation();
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromUtf8(location.organization),
                     QString::fromUtf8(location.application));
}

QString keyPath(const SettingKey &key)
{
    return kSection + u'/' + QLatin1StringView(key.name);
}

std::optional<double> asNumber(const QString &value)
{
    bool ok = false;
    const double number = value.trimmed().toDouble(&ok);
    return ok ? std::optional(number) : std::nullopt;
}

QString storeFailureReason(QSettings::Status status)
{
    return status == QSettings::FormatError ? QStringLiteral("файл настроек повреждён")
                                            : QStringLiteral("настройки не удалось записать");
}

} // namespace

void LoadSettings()
{
    const QSettings store = openStore();
    const auto load = [&store](const SettingKey &key) {
        return store.value(keyPath(key), QString::fromLatin1(key.defaultValue)).toString();
    };
    Module1::SkinFileName = load(SettingKeys::SkinFileName);
    Module1::RunKLVAfterApply = load(SettingKeys::RunKLVAfterApply);
    Module1::ToolTipsEnable = load(SettingKeys::ToolTipsEnable);
    Module1::KillKelvoraEnable = load(SettingKeys::KillKelvoraEnable);
}

Status SaveSettings(const SettingValues &values)
{
    QSettings store = openStore();
    const auto save = [&store](const SettingKey &key, const QString &value,
                               QString &copy) -> Status {
        store.setValue(keyPath(key), value);
        store.sync();
        if (store.status() != QSettings::NoError)
            return FileError{store.fileName(), storeFailureReason(store.status())};
        copy = value;
        return std::nullopt;
    };
    if (Status failed =
            save(SettingKeys::RunKLVAfterApply, values.RunKLVAfterApply, Module1::RunKLVAfterApply))
        return failed;
    if (Status failed = save(SettingKeys::SkinFileName, values.SkinFileName, Module1::SkinFileName))
        return failed;
    if (Status failed =
            save(SettingKeys::ToolTipsEnable, values.ToolTipsEnable, Module1::ToolTipsEnable))
        return failed;
    return save(SettingKeys::KillKelvoraEnable, values.KillKelvoraEnable,
                Module1::KillKelvoraEnable);
}

bool IsFlagOn(const QString &value, const SettingKey &key)
{
    const std::optional<double> number = asNumber(value);
    if (!number)
        return asNumber(QString::fromLatin1(key.defaultValue)) == 1.0;
    return *number == 1.0;
}

int CheckStateOf(const QString &value, const SettingKey &key)
{
    const int fallback = QString::fromLatin1(key.defaultValue).toInt();
    const std::optional<double> number = asNumber(value);
    if (!number)
        return fallback;
    const double rounded = std::nearbyint(*number); // the default rounding: half to even
    return rounded >= 0 && rounded <= 2 ? static_cast<int>(rounded) : fallback;
}

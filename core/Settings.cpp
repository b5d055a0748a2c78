#include "Settings.h"

#include "Module1.h"
#include "platform/Platform.h"
#include "PlatformEdge.h"
#include "UserInterface.h"

#include <QSettings>

#include <cmath>
#include <optional>

namespace {

const QString kSection = QStringLiteral("Options");
const QString kViewerFolderKey = QStringLiteral("Viewer/Folder");

QString storeFailureReason(QSettings::Status status)
{
    return status == QSettings::FormatError ? QStringLiteral("файл настроек повреждён")
                                            : QStringLiteral("настройки не удалось записать");
}

// Writes what was set and says whether it is stored.
Status syncedStatus(QSettings &store)
{
    store.sync();
    if (store.status() != QSettings::NoError)
        return FileError{store.fileName(), storeFailureReason(store.status())};
    return std::nullopt;
}

// The user's store: the platform's native settings, per user.
class UserStore final : public SettingsStore
{
public:
    QString GetSetting(const SettingKey &key) override
    {
        return OpenUserSettings()
            ->value(keyPath(key), QString::fromLatin1(key.defaultValue))
            .toString();
    }

    Status SaveSetting(const SettingKey &key, const QString &value) override
    {
        const std::unique_ptr<QSettings> store = OpenUserSettings();
        store->setValue(keyPath(key), value);
        return syncedStatus(*store);
    }

private:
    static QString keyPath(const SettingKey &key)
    {
        return kSection + u'/' + QLatin1StringView(key.name);
    }
};

UserStore userStore;
SettingsStore *currentStore = &userStore;

std::optional<double> asNumber(const QString &value)
{
    bool ok = false;
    const double number = value.trimmed().toDouble(&ok);
    return ok ? std::optional(number) : std::nullopt;
}

// Each flag's copy beside its key.
struct FlagSetting
{
    const QString &copy;
    const SettingKey &key;
};

FlagSetting settingOf(Flag flag)
{
    switch (flag) {
    case Flag::RunKLVAfterApply:
        return {Module1::RunKLVAfterApply, SettingKeys::RunKLVAfterApply};
    case Flag::ToolTipsEnable:
        return {Module1::ToolTipsEnable, SettingKeys::ToolTipsEnable};
    case Flag::KillKelvoraEnable:
        break;
    }
    return {Module1::KillKelvoraEnable, SettingKeys::KillKelvoraEnable};
}

} // namespace

std::unique_ptr<QSettings> OpenUserSettings()
{
    const platform::SettingsLocation location = platform::settingsLocation();
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QString::fromUtf8(location.organization),
                                       QString::fromUtf8(location.application));
}

void SetSettingsStoreForTesting(SettingsStore *store)
{
    currentStore = store ? store : &userStore;
}

void LoadSettings()
{
    SettingsStore &store = *currentStore;
    Module1::SkinFileName = store.GetSetting(SettingKeys::SkinFileName);
    Module1::RunKLVAfterApply = store.GetSetting(SettingKeys::RunKLVAfterApply);
    Module1::ToolTipsEnable = store.GetSetting(SettingKeys::ToolTipsEnable);
    Module1::KillKelvoraEnable = store.GetSetting(SettingKeys::KillKelvoraEnable);
}

Status SaveSettings(const SettingValues &values)
{
    struct Saved
    {
        const SettingKey &key;
        const QString &value;
        QString &copy;
    };
    const Saved inOrder[] = {
        {SettingKeys::RunKLVAfterApply, values.RunKLVAfterApply, Module1::RunKLVAfterApply},
        {SettingKeys::SkinFileName, values.SkinFileName, Module1::SkinFileName},
        {SettingKeys::ToolTipsEnable, values.ToolTipsEnable, Module1::ToolTipsEnable},
        {SettingKeys::KillKelvoraEnable, values.KillKelvoraEnable, Module1::KillKelvoraEnable},
    };
    Status failed;
    bool stored = false;
    for (const Saved &setting : inOrder) {
        // Each copy changes only once its value is stored.
        failed = currentStore->SaveSetting(setting.key, setting.value);
        if (failed)
            break;
        setting.copy = setting.value;
        stored = true;
    }
    if (stored)
        CurrentUserInterface()->settingsSaved();
    return failed;
}

bool IsFlagOn(Flag flag)
{
    const FlagSetting setting = settingOf(flag);
    const std::optional<double> number = asNumber(setting.copy);
    if (!number)
        return asNumber(QString::fromLatin1(setting.key.defaultValue)) == 1.0;
    return *number == 1.0;
}

int CheckStateOf(Flag flag)
{
    const FlagSetting setting = settingOf(flag);
    const int fallback = QString::fromLatin1(setting.key.defaultValue).toInt();
    const std::optional<double> number = asNumber(setting.copy);
    if (!number)
        return fallback;
    const double rounded = std::nearbyint(*number); // the default rounding: half to even
    return rounded >= 0 && rounded <= 2 ? static_cast<int>(rounded) : fallback;
}

std::filesystem::path RememberedViewerFolder()
{
    const QVariant stored = OpenUserSettings()->value(kViewerFolderKey);
    if (stored.typeId() == QMetaType::QByteArray)
        return stored.toByteArray().toStdString();
    return ToNativePath(stored.toString());
}

Status RememberViewerFolder(const std::filesystem::path &folder)
{
    const std::unique_ptr<QSettings> store = OpenUserSettings();
    // A name that is text is kept as text, for people to read; one in another
    // code page (a Windows disk's), only on Unix, as its bytes, which read back
    // as the same name.
    const QString text = FromNativePath(folder);
    if (ToNativePath(text) == folder)
        store->setValue(kViewerFolderKey, text);
    else
        store->setValue(kViewerFolderKey, QByteArray::fromStdString(folder.string()));
    return syncedStatus(*store);
}

#include "Settings.h"

#include "Module1.h"
#include "platform/Platform.h"
#include "PlatformEdge.h"
#include "UserInterface.h"

#include <QSettings>

#include <algorithm>
#include <array>
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

// Every setting in one row: its key with its default, its copy in Module1,
// the value the preferences give it, its place among the saves (0 first) and
// the flag it answers for. Loading takes the rows in their order.
struct Setting
{
    SettingKey key;
    QString *copy;
    QString SettingValues::*value;
    std::size_t savedAs;
    std::optional<Flag> flag;
};

constexpr Setting kSettings[] = {
    {SettingKey{"SkinFileName", "Kelvora.rus"}, &Module1::SkinFileName,
     &SettingValues::SkinFileName, 1, std::nullopt},
    {SettingKey{"RunKLVAfterApply", "0"}, &Module1::RunKLVAfterApply,
     &SettingValues::RunKLVAfterApply, 0, Flag::RunKLVAfterApply},
    {SettingKey{"ToolTipsEnable", "0"}, &Module1::ToolTipsEnable, &SettingValues::ToolTipsEnable, 2,
     Flag::ToolTipsEnable},
    {SettingKey{"KillKelvoraEnable", "1"}, &Module1::KillKelvoraEnable,
     &SettingValues::KillKelvoraEnable, 3, Flag::KillKelvoraEnable},
};

// The rows in the order they are saved.
constexpr std::array<const Setting *, std::size(kSettings)> kSaveOrder = [] {
    std::array<const Setting *, std::size(kSettings)> order{};
    for (const Setting &setting : kSettings)
        order[setting.savedAs] = &setting;
    return order;
}();
static_assert(std::ranges::find(kSaveOrder, nullptr) == kSaveOrder.end(),
              "each setting has a place of its own among the saves");

// Every flag has its row in the table.
const Setting &settingOf(Flag flag)
{
    return *std::ranges::find(kSettings, std::optional(flag), &Setting::flag);
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
    for (const Setting &setting : kSettings)
        *setting.copy = currentStore->GetSetting(setting.key);
}

Status SaveSettings(const SettingValues &values)
{
    Status failed;
    bool stored = false;
    for (const Setting *setting : kSaveOrder) {
        // Each copy changes only once its value is stored.
        const QString &value = values.*setting->value;
        failed = currentStore->SaveSetting(setting->key, value);
        if (failed)
            break;
        *setting->copy = value;
        stored = true;
    }
    if (stored)
        CurrentUserInterface()->settingsSaved();
    return failed;
}

bool IsFlagOn(Flag flag)
{
    const Setting &setting = settingOf(flag);
    const std::optional<double> number = asNumber(*setting.copy);
    if (!number)
        return asNumber(QString::fromLatin1(setting.key.defaultValue)) == 1.0;
    return *number == 1.0;
}

int CheckStateOf(Flag flag)
{
    const Setting &setting = settingOf(flag);
    const int fallback = QString::fromLatin1(setting.key.defaultValue).toInt();
    const std::optional<double> number = asNumber(*setting.copy);
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

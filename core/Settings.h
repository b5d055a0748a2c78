#pragma once

#include "FileError.h"

#include <QString>

#include <filesystem>
#include <memory>

class QSettings;

// The key of one of the four settings, kept per user under the program's
// title, section "Options"; the four are one table in Settings.cpp, which
// loading, saving and the flags all read.
struct SettingKey
{
    const char *name;
    const char *defaultValue;
};

// The per-user store the settings live in.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The stored text, or the key's default when the key is missing; an empty
    // stored text stays empty.
    virtual QString GetSetting(const SettingKey &key) = 0;
    // Creates or replaces the value and makes sure it is stored.
    virtual Status SaveSetting(const SettingKey &key, const QString &value) = 0;
};

// The per-user store the settings live in, for what windows keep there of
// their own (a window's size and place), each in a group of its own and never
// in the settings' section.
std::unique_ptr<QSettings> OpenUserSettings();

// Tests put a store of their own in place of the user's; null restores it.
void SetSettingsStoreForTesting(SettingsStore *store);

// Reads the four settings into the copies of Module1, in the order
// SkinFileName, RunKLVAfterApply, ToolTipsEnable, KillKelvoraEnable.
void LoadSettings();

// The values the preferences dialog saves.
struct SettingValues
{
    QString SkinFileName;
    QString RunKLVAfterApply;
    QString ToolTipsEnable;
    QString KillKelvoraEnable;

    bool operator==(const SettingValues &) const = default;
};

// Saves each value and then replaces its copy, one at a time, in the order
// RunKLVAfterApply, SkinFileName, ToolTipsEnable, KillKelvoraEnable. Stops at the
// first value the store does not take; values saved before it keep their new
// text. The user interface is told once when any value was stored.
Status SaveSettings(const SettingValues &values);

// The three flags, each asked for by name: its copy and its key are paired
// here, once.
enum class Flag
{
    RunKLVAfterApply,
    ToolTipsEnable,
    KillKelvoraEnable,
};

// A flag is on exactly when its copy reads as the number 1. A copy that is not
// a number counts as the key's default.
bool IsFlagOn(Flag flag);

// Check box state (0 clear, 1 checked, 2 grayed) of a flag's copy: the number
// rounded half to even; a copy that is no number, or rounds outside 0 to 2,
// shows the key's default.
int CheckStateOf(Flag flag);

// The viewer's folder the user chose, kept apart from the four settings
// (section "Viewer", key "Folder"); empty when none was chosen.
std::filesystem::path RememberedViewerFolder();
Status RememberViewerFolder(const std::filesystem::path &folder);

#include "Settings.h"

#include "Module1.h"
#include "RecordingUserInterface.h"
#include "TempAppFolder.h"

#include <QFileInfo>

namespace {

class SettingsTest : public TempAppFolderTest
{
protected:
    QString storeFile() const
    {
        return configFolder() + QStringLiteral("/Kelvora Skin Manager.conf");
    }

    void store(const char *key, const QString &value)
    {
        QSettings settings(storeFile(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Options/") + QLatin1StringView(key), value);
    }

    static SettingValues copies()
    {
        return {Module1::SkinFileName, Module1::RunKLVAfterApply, Module1::ToolTipsEnable,
                Module1::KillKelvoraEnable};
    }
};

TEST_F(SettingsTest, EmptyStoreGivesTheDefaults)
{
    LoadSettings();
    EXPECT_EQ(copies(), (SettingValues{"Kelvora.rus", "0", "0", "1"}));
    EXPECT_TRUE(IsFlagOn(Flag::KillKelvoraEnable));
    EXPECT_FALSE(IsFlagOn(Flag::RunKLVAfterApply));
}

TEST_F(SettingsTest, StoredValuesComeBackExactlyEvenWhenEmpty)
{
    store("SkinFileName", QString());
    store("RunKLVAfterApply", QStringLiteral("2"));
    store("KillKelvoraEnable", QStringLiteral("word"));
    LoadSettings();
    EXPECT_EQ(copies(), (SettingValues{"", "2", "0", "word"}));
}

TEST_F(SettingsTest, SavedValuesReachStoreAndCopiesAndTheNextRun)
{
    const SettingValues values{QStringLiteral("  Свой скин.rus "), "1", "2", "0"};
    ASSERT_FALSE(SaveSettings(values));
    EXPECT_EQ(copies(), values);

    Module1::SkinFileName.clear();
    LoadSettings();
    EXPECT_EQ(copies(), values);
    QSettings raw(storeFile(), QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Options/ToolTipsEnable")).toString(), QStringLiteral("2"));
}

TEST_F(SettingsTest, UnwritableStoreIsReportedAndKeepsTheCopies)
{
    LoadSettings();
    const SettingValues before = copies();
    ASSERT_TRUE(QDir().mkpath(storeFile())); // a folder where the file belongs
    const Status failed = SaveSettings({QStringLiteral("x.rus"), "1", "1", "0"});
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->path, storeFile());
    EXPECT_FALSE(failed->reason.isEmpty());
    EXPECT_EQ(copies(), before);
}

// Answers every key with its name; notes each call, and at each save the
// copies as they were; refuses to save the key named in refuse.
class RecordingStore : public SettingsStore
{
public:
    QString GetSetting(const SettingKey &key) override
    {
        calls << QStringLiteral("get ") + QLatin1StringView(key.name);
        return QLatin1StringView(key.name);
    }

    Status SaveSetting(const SettingKey &key, const QString &value) override
    {
        calls << QStringLiteral("save %1=%2 over %3 %4 %5 %6")
                     .arg(QLatin1StringView(key.name), value, Module1::SkinFileName,
                          Module1::RunKLVAfterApply, Module1::ToolTipsEnable,
                          Module1::KillKelvoraEnable);
        if (refuse == key.name)
            return FileError{QStringLiteral("store"), QStringLiteral("refused")};
        return std::nullopt;
    }

    QStringList calls;
    std::string refuse;
};

TEST_F(SettingsTest, LoadsInItsOrderAndSavesEachValueBeforeItsCopyInAnother)
{
    RecordingStore store;
    SetSettingsStoreForTesting(&store);
    LoadSettings();
    EXPECT_EQ(store.calls, (QStringList{"get SkinFileName", "get RunKLVAfterApply",
                                        "get ToolTipsEnable", "get KillKelvoraEnable"}));

    store.calls.clear();
    store.refuse = "KillKelvoraEnable";
    EXPECT_TRUE(SaveSettings({"s", "r", "t", "k"}));
    SetSettingsStoreForTesting(nullptr);
    EXPECT_EQ(
        store.calls,
        (QStringList{"save RunKLVAfterApply=r over SkinFileName RunKLVAfterApply ToolTipsEnable "
                     "KillKelvoraEnable",
                     "save SkinFileName=s over SkinFileName r ToolTipsEnable KillKelvoraEnable",
                     "save ToolTipsEnable=t over s r ToolTipsEnable KillKelvoraEnable",
                     "save KillKelvoraEnable=k over s r t KillKelvoraEnable"}));
    EXPECT_EQ(copies(), (SettingValues{"s", "r", "t", "KillKelvoraEnable"}));
}

// The user interface hears of a save once, and only when a copy changed.
TEST_F(SettingsTest, ASaveIsToldOnceWhenItChangedACopy)
{
    RecordingUserInterface ui;
    RecordingStore store;
    SetSettingsStoreForTesting(&store);
    store.refuse = "RunKLVAfterApply"; // the first saved
    EXPECT_TRUE(SaveSettings({"s", "r", "t", "k"}));
    EXPECT_EQ(ui.saves, 0);

    store.refuse = "KillKelvoraEnable"; // the last saved
    EXPECT_TRUE(SaveSettings({"s", "r", "t", "k"}));
    SetSettingsStoreForTesting(nullptr);
    EXPECT_EQ(ui.saves, 1);
}

// Each flag is read from its own copy, with its own key's default.
TEST_F(SettingsTest, FlagIsOnExactlyForTheNumberOne)
{
    const auto isOn = [](QString &copy, Flag flag, const char *value) {
        copy = QString::fromLatin1(value);
        return IsFlagOn(flag);
    };
    QString &off = Module1::RunKLVAfterApply;
    QString &on = Module1::KillKelvoraEnable;
    for (const char *value : {"1", " 1 ", "1.0", "1e0"})
        EXPECT_TRUE(isOn(off, Flag::RunKLVAfterApply, value)) << value;
    for (const char *value : {"0", "2", "-1", "1.5", "0.999"})
        EXPECT_FALSE(isOn(on, Flag::KillKelvoraEnable, value)) << value;
    // Not a number: the key's default decides.
    for (const char *value : {"", "word", "1x"}) {
        EXPECT_FALSE(isOn(off, Flag::RunKLVAfterApply, value)) << value;
        EXPECT_TRUE(isOn(on, Flag::KillKelvoraEnable, value)) << value;
        EXPECT_FALSE(isOn(Module1::ToolTipsEnable, Flag::ToolTipsEnable, value)) << value;
    }
}

TEST_F(SettingsTest, CheckStateRoundsHalfToEvenWithinRange)
{
    const auto stateOf = [](QString &copy, Flag flag, const char *value) {
        copy = QString::fromLatin1(value);
        return CheckStateOf(flag);
    };
    QString &off = Module1::ToolTipsEnable;
    QString &on = Module1::KillKelvoraEnable;
    const struct
    {
        const char *value;
        int state;
    } cases[] = {{"0", 0},   {"1", 1},   {"2", 2},   {" 2 ", 2}, {"0.5", 0},
                 {"1.5", 2}, {"2.5", 2}, {"1.4", 1}, {"-0.4", 0}};
    for (const auto &c : cases)
        EXPECT_EQ(stateOf(on, Flag::KillKelvoraEnable, c.value), c.state) << c.value;
    for (const char *value : {"3", "-1", "70000", "word", ""}) {
        EXPECT_EQ(stateOf(off, Flag::ToolTipsEnable, value), 0) << value;
        EXPECT_EQ(stateOf(on, Flag::KillKelvoraEnable, value), 1) << value;
        EXPECT_EQ(stateOf(Module1::RunKLVAfterApply, Flag::RunKLVAfterApply, value), 0) << value;
    }
}

} // namespace

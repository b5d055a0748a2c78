#pragma once

#include "AppInfo.h"
#include "Module1.h"
#include "RecordingUserInterface.h"
#include "SkinActions.h"
#include "TempAppFolder.h"

#include <QDir>

inline const QByteArray kOldActive = "the active skin as it was";
inline const QByteArray kBlue = QByteArray("blue skin ").repeated(100);

inline const RecordedMessage kChooseSkin{QStringLiteral("Выберите скин из списка!"),
                                         UserInterface::Icon::Information, kApplicationTitle};

// An application folder with an active skin file and the skin "Blue.scn";
// the viewer is neither closed nor launched unless a test says so.
class ApplySkinTest : public TempAppFolderTest
{
protected:
    void SetUp() override
    {
        TempAppFolderTest::SetUp();
        Module1::SkinFileName = QStringLiteral("Kelvora.rus");
        Module1::KillKelvoraEnable = QStringLiteral("0");
        Module1::RunKLVAfterApply = QStringLiteral("0");
        writeFile(activeSkin(), kOldActive);
        writeFile(skin(QStringLiteral("Blue.scn")), kBlue);
    }

    QString activeSkin() const { return appFolder() + QStringLiteral("/Kelvora.rus"); }
    QString skin(const QString &name) const { return skinsFolder() + u'/' + name; }
    QStringList appFolderFiles() const { return QDir(appFolder()).entryList(QDir::Files); }

    // The history of the application folder, newest first.
    static std::vector<HistoryEntry> history()
    {
        const Result<std::vector<HistoryEntry>> entries = ReadHistory();
        EXPECT_TRUE(entries.ok());
        return entries.value;
    }
    static QString historyFolder() { return text(HistoryFolder().value); }
    static QStringList shownHistory()
    {
        QStringList names;
        for (const HistoryEntry &entry : history())
            names << ShownSkinName(entry);
        return names;
    }

    RecordingUserInterface ui;
};

#pragma once

#include "AppFolder.h"
#include "PlatformEdge.h"
#include "Settings.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A fresh application folder with an empty Skins folder, an empty settings
// store and a data folder (where the skin history goes) for every test; the
// program's paths point into it.
class TempAppFolderTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("app/Skins")));
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("config")));
        ASSERT_FALSE(UseApplicationFolder(ToNativePath(appFolder())));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configFolder());
        // The registry outlives each test's folder.
        OpenUserSettings()->clear();
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataFolder()));
    }

    void TearDown() override
    {
        qputenv("XDG_DATA_HOME", savedDataHome);
        EXPECT_FALSE(UseApplicationFolder({})); // the executable's folder
        // QTemporaryDir names files as text and leaves one named in another code
        // page behind; what this cannot remove, it warns of itself.
        std::error_code left;
        std::filesystem::remove_all(ToNativePath(root.path()), left);
    }

    QString appFolder() const { return root.path() + QStringLiteral("/app"); }
    QString skinsFolder() const { return appFolder() + QStringLiteral("/Skins"); }
    QString configFolder() const { return root.path() + QStringLiteral("/config"); }
    QString dataFolder() const { return root.path() + QStringLiteral("/data"); }

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The program's paths, as the tests' texts.
    static QString text(const std::filesystem::path &path) { return FromNativePath(path); }
    static void writeFile(const std::filesystem::path &path, const QByteArray &bytes)
    {
        writeFile(text(path), bytes);
    }
    static QByteArray readFile(const std::filesystem::path &path) { return readFile(text(path)); }

    QTemporaryDir root;
    const QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
};

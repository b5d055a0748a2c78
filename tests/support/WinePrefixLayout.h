#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <array>
#include <optional>
#include <utility>

#include <gtest/gtest.h>

// Wine prefixes of a test's own under root: $WINEPREFIX is root/named, HOME is
// root/home (so ~/.wine and ~/.local/share/wineprefixes are there). The
// environment is put back as it was when this ends.
class WinePrefixLayout
{
public:
    explicit WinePrefixLayout(const QString &root)
        : root_(root)
    {
        set("WINEPREFIX", namedPrefix());
        set("HOME", root + QStringLiteral("/home"));
        set("XDG_DATA_HOME", dataHome());
    }
    ~WinePrefixLayout()
    {
        for (const auto &[name, value] : saved_)
            if (value)
                qputenv(name, *value);
            else
                qunsetenv(name);
    }
    WinePrefixLayout(const WinePrefixLayout &) = delete;
    WinePrefixLayout &operator=(const WinePrefixLayout &) = delete;

    // The data folder of HOME, which holds the kept prefixes; a fixture that
    // sets its own data folder puts this one back.
    QString dataHome() const { return root_ + QStringLiteral("/home/.local/share"); }
    QString namedPrefix() const { return root_ + QStringLiteral("/named"); }
    QString homePrefix() const { return root_ + QStringLiteral("/home/.wine"); }
    QString keptPrefix(const char *name) const
    {
        return dataHome() + QStringLiteral("/wineprefixes/") + QLatin1StringView(name);
    }

    // A folder under the prefix's drive_c, holding the viewer when asked and
    // an empty Skins folder; its path.
    static QString install(const QString &prefix, const char *folder, bool withViewer = true)
    {
        const QString path = prefix + QStringLiteral("/drive_c/") + QString::fromUtf8(folder);
        EXPECT_TRUE(QDir().mkpath(path + QStringLiteral("/Skins")));
        if (withViewer) {
            QFile viewer(path + QStringLiteral("/Kelvora.exe"));
            EXPECT_TRUE(viewer.open(QIODevice::WriteOnly));
        }
        return path;
    }

private:
    void set(const char *name, const QString &value)
    {
        saved_.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name))
                                                                  : std::nullopt);
        qputenv(name, value.toUtf8());
    }

    QString root_;
    std::vector<std::pair<const char *, std::optional<QByteArray>>> saved_;
};

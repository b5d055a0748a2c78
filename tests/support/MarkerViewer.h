#pragma once

#include <QFile>
#include <QString>
#include <QTest>

#include <chrono>

#include <gtest/gtest.h>

// A viewer executable in the application folder that does nothing but leave a
// file beside itself when it is started, so a test can see the launch.
class MarkerViewer
{
public:
    explicit MarkerViewer(const QString &appFolder)
        : executable_(appFolder + QStringLiteral("/Kelvora.exe"))
        , marker_(appFolder + QStringLiteral("/viewer-started"))
    {
        QFile script(executable_);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n: > \"$(dirname \"$0\")/viewer-started\"\n");
        script.close();
        EXPECT_TRUE(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
    }

    bool hasStarted() const { return QFile::exists(marker_); }

    // A launch writes the marker within moments; the limit only keeps a
    // failing test from hanging.
    bool startsWithin(std::chrono::milliseconds limit) const
    {
        return QTest::qWaitFor([this] { return hasStarted(); }, static_cast<int>(limit.count()));
    }

    const QString &executable() const { return executable_; }

private:
    QString executable_;
    QString marker_;
};

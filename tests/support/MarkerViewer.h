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
    // Placed later, the program is only there from place() on: a launch that
    // comes before it finds nothing to start and leaves no marker, so a marker
    // proves that the start itself came after.
    enum class Placed
    {
        Now,
        Later
    };

    explicit MarkerViewer(const QString &appFolder, Placed placed = Placed::Now)
        : executable_(appFolder + QStringLiteral("/Kelvora.exe"))
        , marker_(appFolder + QStringLiteral("/viewer-started"))
    {
        if (placed == Placed::Now)
            place();
    }

    void place() const
    {
#ifdef _WIN32
        EXPECT_TRUE(QFile::copy(QStringLiteral(KSM_MARKER_VIEWER), executable_));
#else
        QFile script(executable_);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n: > \"$(dirname \"$0\")/viewer-started\"\n");
        script.close();
        EXPECT_TRUE(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
#endif
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

// SPDX-License-Identifier: GPL-2.0-or-later
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include "Viewer.h"

namespace {

// A window manager, so windows get frames, focus and a close box (Alt+F4)
// as on a user's desktop.
class WindowManager : public ::testing::Environment
{
public:
    void SetUp() override
    {
        wm_.setStandardOutputFile(QProcess::nullDevice());
        wm_.setStandardErrorFile(QProcess::nullDevice());
        // Openbox runs its start-up command once it manages windows; a
        // window mapped before then may never be shown.
        const QString ready = folder_.filePath(QStringLiteral("ready"));
        wm_.start("openbox", {"--sm-disable", "--startup", "touch " + ready});
        for (int i = 0; i < 100 && !QFile::exists(ready); ++i)
            QThread::msleep(50);
    }
    void TearDown() override
    {
        wm_.terminate();
        wm_.waitForFinished(3000);
    }

private:
    QTemporaryDir folder_;
    QProcess wm_;
};

} // namespace

int main(int argc, char **argv)
{
    // QImage decoding needs a Gui application, never a window: keep it off
    // the X server the viewer uses.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new WindowManager);
    return RUN_ALL_TESTS();
}

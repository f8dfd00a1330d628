// SPDX-License-Identifier: GPL-2.0-or-later
#include <QGuiApplication>

#include <gtest/gtest.h>

// The scenarios run in an X server with a window manager of their own
// (tests/support/with-x-server.sh --openbox).
int main(int argc, char **argv)
{
    // QImage decoding needs a Gui application, never a window: keep it off
    // the X server the viewer uses.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

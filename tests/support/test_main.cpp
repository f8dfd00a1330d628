// SPDX-License-Identifier: GPL-2.0-or-later
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#ifdef LUMARIN_SANITIZED
#include <sanitizer/lsan_interface.h>
#endif

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                   : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // As the program does: decodes ahead that windows of the last tests
    // left running are not waited for, nor Qt torn down under them.
    std::fflush(nullptr);
#ifdef LUMARIN_SANITIZED
    // The leak check would otherwise run at exit, which this skips.
    if (__lsan_do_recoverable_leak_check() != 0)
        std::_Exit(1);
#endif
    std::_Exit(result);
}

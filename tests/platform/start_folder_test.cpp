// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>

#include <unistd.h>

#include "platform/files/StartFolder.h"

TEST(StartFolder, IsTheNearestAncestorThatCanBeEntered)
{
    QTemporaryDir dir;
    const QString root = QDir(dir.path()).canonicalPath();
    const QString before = QDir::currentPath();
    const QByteArray beforePwd = qgetenv("PWD");
    const QString longName(200, QLatin1Char('x'));
    QStringList tooDeep;
    for (int depth = 0; depth * (longName.size() + 1) < PATH_MAX; ++depth)
        tooDeep << longName;

    // `gone` trailing steps are deleted after entering; an expected depth of
    // -1 is the deepest folder whose path fits the limit.
    const struct { const char *name; QStringList steps; int gone, expectedDepth; } cases[] = {
        {"current folder", {"a"}, 0, 1},
        {"current folder deleted", {"a", "b"}, 1, 1},
        {"two levels deleted", {"c", "d", "e"}, 2, 1},
        {"everything up to the start deleted", {"f"}, 1, 0},
        {"path beyond the length limit", tooDeep, 0, -1},
    };
    for (const auto &c : cases) {
        // Entered step by step (a path beyond the length limit cannot be
        // entered at once), with PWD naming it as a shell would.
        QDir::setCurrent(root);
        for (const QString &step : c.steps) {
            QDir().mkdir(step);
            EXPECT_EQ(::chdir(QFile::encodeName(step).constData()), 0);
        }
        qputenv("PWD", QFile::encodeName(root + '/' + c.steps.join('/')));
        for (int i = 0; i < c.gone; ++i)
            QDir(root).rmdir(c.steps.mid(0, c.steps.size() - i).join('/'));

        const QString folder = platform::enterStartFolder();
        QString expected = root;
        for (const QString &step : c.steps.mid(0, c.expectedDepth < 0 ? c.steps.size() : c.expectedDepth)) {
            if (expected.size() + 1 + step.size() >= PATH_MAX)
                break;
            expected += QLatin1Char('/') + step;
        }
        EXPECT_EQ(folder.toStdString(), expected.toStdString()) << c.name;
        EXPECT_EQ(QDir::currentPath(), expected) << c.name;
    }
    QDir::setCurrent(before);
    qputenv("PWD", beforePwd);
    // Too deep for QTemporaryDir's own clean-up, which joins full paths.
    QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), root});
}

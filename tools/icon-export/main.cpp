// SPDX-License-Identifier: GPL-2.0-or-later
// Writes the program's icon as PNG files for the desktop's icon theme: the
// 32 × 32 window icon as drawn, other sizes rendered from the scalable one.
//
// Usage: lumarin-icon-export SCALABLE.svg OUTPUT-FOLDER

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

#include "main_window/window_icon.h"

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: lumarin-icon-export SCALABLE.svg OUTPUT-FOLDER\n", stderr);
        return 2;
    }
    QSvgRenderer scalable(QString::fromLocal8Bit(argv[1]));
    const QString folder = QString::fromLocal8Bit(argv[2]);
    for (const int size : {16, 32, 48}) {
        QImage icon;
        if (size == 32) {
            icon = windowIconImage().convertToFormat(QImage::Format_ARGB32);
        } else {
            icon = QImage(size, size, QImage::Format_ARGB32);
            icon.fill(Qt::transparent);
            QPainter painter(&icon);
            scalable.render(&painter);
        }
        if (!icon.save(QStringLiteral("%1/%2.png").arg(folder).arg(size)))
            return 1;
    }
    return 0;
}

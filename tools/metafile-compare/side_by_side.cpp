// SPDX-License-Identifier: GPL-2.0-or-later
#include "side_by_side.h"

#include <QPainter>

#include <algorithm>

QImage sideBySide(const QImage &ours, const QImage &reference, const QImage &map)
{
    const int gap = 8;
    const int panelWidth = std::max({ours.width(), reference.width(), map.width(), 1});
    const int panelHeight = std::max({ours.height(), reference.height(), map.height(), 1});
    QImage sheet(3 * panelWidth + 4 * gap, panelHeight + 2 * gap, QImage::Format_RGB32);
    sheet.fill(QColor(128, 128, 128));
    QPainter painter(&sheet);
    int x = gap;
    for (const QImage *panel : {&ours, &reference, &map}) {
        // A light grey panel shows where a picture smaller than it ends.
        painter.fillRect(x, gap, panelWidth, panelHeight, QColor(200, 200, 200));
        painter.drawImage(x, gap, *panel);
        x += panelWidth + gap;
    }
    return sheet;
}

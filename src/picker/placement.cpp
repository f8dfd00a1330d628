// SPDX-License-Identifier: GPL-2.0-or-later
#include "picker/placement.h"

#include <algorithm>

namespace {

// Room between the two frames.
constexpr int Gap = 8;

// `place` moved as little as it takes to keep `size` on the screen (its top
// left corner first, should it not fit at all).
QPoint keptOnScreen(QPoint place, QSize size, const QRect &screen)
{
    const int x = std::max(screen.left(), std::min(place.x(), screen.right() + 1 - size.width()));
    const int y = std::max(screen.top(), std::min(place.y(), screen.bottom() + 1 - size.height()));
    return {x, y};
}

qint64 covered(const QRect &frame, const QRect &pictureArea)
{
    const QRect both = frame.intersected(pictureArea);
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}

} // namespace

QPoint pickerPlace(const QRect &screen, const QRect &owner, const QRect &pictureArea, QSize picker)
{
    // Beside the main window, in order of preference: right, left, below,
    // above; then the screen's corners.
    const QPoint candidates[] = {
        {owner.right() + 1 + Gap, owner.top()},
        {owner.left() - Gap - picker.width(), owner.top()},
        {owner.left(), owner.bottom() + 1 + Gap},
        {owner.left(), owner.top() - Gap - picker.height()},
        screen.topRight(),
        screen.bottomRight(),
        screen.bottomLeft(),
        screen.topLeft(),
    };
    for (const QPoint &candidate : candidates) {
        if (screen.contains(QRect(candidate, picker)) && !QRect(candidate, picker).intersects(owner))
            return candidate;
    }
    // No room beside it: kept on the screen, each place covers some of the
    // main window; the one covering the least of its picture wins.
    QPoint best;
    qint64 least = -1;
    for (const QPoint &candidate : candidates) {
        const QPoint place = keptOnScreen(candidate, picker, screen);
        const qint64 cover = covered(QRect(place, picker), pictureArea);
        if (least < 0 || cover < least) {
            least = cover;
            best = place;
        }
    }
    return best;
}

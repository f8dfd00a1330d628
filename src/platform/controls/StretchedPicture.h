// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

#include "platform/pictures/Picture.h"

namespace platform {

// Paints a picture scaled to the widget, smoothly. Huge pictures are drawn
// from one reduced copy, halved as often as the widget's size allows and
// kept until the size needs another, so a repaint after a resize costs
// about the same for a 100-megapixel photo as for a small one.
class StretchedPicture : public QWidget
{
    Q_OBJECT

public:
    explicit StretchedPicture(QWidget *parent);

    void setPicture(PicturePtr picture);

    // The copy to draw from for a target of this size: the picture halved
    // as often as it stays at least as large in both directions.
    const QImage &sourceFor(QSize target);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    PicturePtr picture_;
    QImage reduced_;
    int reducedHalvings_ = 0;
};

} // namespace platform

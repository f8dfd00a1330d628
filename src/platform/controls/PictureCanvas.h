// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>

#include "platform/pictures/Picture.h"

namespace platform {

// The inside of a picture box: its background and its picture at 1:1.
class PictureCanvas : public QWidget
{
    Q_OBJECT

public:
    explicit PictureCanvas(QWidget *parent);

    void setPicture(PicturePtr picture);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    PicturePtr picture_;
};

} // namespace platform

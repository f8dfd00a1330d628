// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>

#include "platform/controls/Control.h"
#include "platform/pictures/Picture.h"

class QFrame;

namespace platform {

class PictureCanvas;

// A picture box: shows its picture at the picture's own size from its
// top-left corner and can hold other controls, which it clips. With AutoSize
// it takes the size of each picture it is given. It may be moved partly
// outside its own container; only the part in view is painted.
class PictureBox : public Control
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *container);

    // The widget that child controls are placed on (inside the border).
    QWidget *inner() const;

    const PicturePtr &picture() const { return picture_; }
    void setPicture(PicturePtr picture);

    void setAutoSize(bool autoSize) { autoSize_ = autoSize; }
    bool hasBorder() const { return border_; }
    void setBorder(bool border);
    void setBackColor(const QColor &color);

private:
    void fitToPicture();

    QFrame *frame_;
    PictureCanvas *canvas_;
    PicturePtr picture_ = emptyPicture();
    bool autoSize_ = false;
    bool border_ = true;
};

} // namespace platform

// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "platform/controls/Control.h"
#include "platform/pictures/Picture.h"

namespace platform {

class StretchedPicture;

// An image control that stretches its picture to its own size, width and
// height each on their own, enlarging small pictures as well.
class ImageControl : public Control
{
    Q_OBJECT

public:
    explicit ImageControl(QWidget *container);

    const PicturePtr &picture() const { return picture_; }
    void setPicture(PicturePtr picture);

private:
    StretchedPicture *view_;
    PicturePtr picture_;
};

} // namespace platform

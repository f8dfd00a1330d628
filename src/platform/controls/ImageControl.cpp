// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/ImageControl.h"

#include "platform/controls/StretchedPicture.h"

namespace platform {

ImageControl::ImageControl(QWidget *container)
    : Control(new StretchedPicture(container)),
      view_(static_cast<StretchedPicture *>(widget()))
{
}

void ImageControl::setPicture(PicturePtr picture)
{
    picture_ = std::move(picture);
    view_->setPicture(picture_);
}

} // namespace platform

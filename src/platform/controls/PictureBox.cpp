// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/PictureBox.h"

#include <QFrame>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "platform/controls/PictureCanvas.h"
#include "platform/system/Twips.h"

namespace platform {

PictureBox::PictureBox(QWidget *container)
    : Control(new QFrame(container)), frame_(static_cast<QFrame *>(widget())),
      canvas_(new PictureCanvas(frame_))
{
    auto *layout = new QVBoxLayout(frame_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(canvas_);
    frame_->setFocusPolicy(Qt::StrongFocus);
    // The border and the canvas, which always fills itself, cover every
    // pixel: saying so lets Qt scroll a moved box's pixels instead of
    // repainting everything beneath it.
    frame_->setAttribute(Qt::WA_OpaquePaintEvent);
    setBorder(true);
}

QWidget *PictureBox::inner() const
{
    return canvas_;
}

void PictureBox::setPicture(PicturePtr picture)
{
    picture_ = std::move(picture);
    canvas_->setPicture(picture_);
    if (autoSize_)
        fitToPicture();
}

void PictureBox::setBorder(bool border)
{
    border_ = border;
    frame_->setFrameStyle(border ? QFrame::WinPanel | QFrame::Sunken : QFrame::NoFrame);
    if (autoSize_)
        fitToPicture();
}

void PictureBox::setBackColor(const QColor &color)
{
    QPalette palette = canvas_->palette();
    palette.setColor(QPalette::Window, color);
    canvas_->setPalette(palette);
}

void PictureBox::fitToPicture()
{
    if (!picture_ || picture_->isEmpty())
        return;
    const float frame = toTwips(2 * frame_->frameWidth());
    const QSizeF size = picture_->twipsSize();
    setWidth(float(size.width()) + frame);
    setHeight(float(size.height()) + frame);
}

} // namespace platform
